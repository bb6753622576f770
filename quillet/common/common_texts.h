// The exception texts of the common layer: streams and file errors (GBK bytes once
// compiled).
#pragma once

// TStream::ReadBuffer / WriteBuffer when fewer bytes than asked were moved.
inline constexpr char k_textStreamRead[] = "Stream read error";
inline constexpr char k_textStreamWrite[] = "Stream write error";
// TStream::SetSize on a stream that cannot change its size.
inline constexpr char k_textStreamSize[] = "Stream size can not be changed";

// EFileException: the kind's text, then ": ", a line break and the file name.
inline constexpr char k_textFileOpen[] = "File Open Error";
inline constexpr char k_textFileCreate[] = "File Create Error";
inline constexpr char k_textFileDelete[] = "File Delete Error";
inline constexpr char k_textFileRead[] = "File Read Error";
inline constexpr char k_textFileWrite[] = "File Write Error";
inline constexpr char k_textFileOther[] = "File Error";

// TProfileText writes, followed by ": " and the name or value: a section or key name, or
// a value, that cannot be stored on one line of an ini file.
inline constexpr char k_textProfileName[] = "Invalid ini section or key name";
inline constexpr char k_textProfileValue[] = "Invalid ini value";
// TProfileFile, followed by ": " and the file name: the file could not be replaced.
inline constexpr char k_textProfileStore[] = "Can not write the ini file";
