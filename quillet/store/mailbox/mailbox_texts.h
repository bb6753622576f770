// The mail store's user-facing and exception texts (GBK bytes once compiled).
#pragma once

// Shown when the disk cannot hold the compacted copy of a pair.
inline constexpr char k_textDiskFull[] = "硬盘空间不够！请清理您的硬盘，再继续运行本程序。";

// EOperateOnEncrypted.
inline constexpr char k_textOperateOnEncrypted[] = "Error: Operate on encrypted data";
// EIdxFileError from EditHead and WriteHead.
inline constexpr char k_textNoRecordHead[] = "Can not find record head in EditHead";
// EIdxFileError when the ids of a pair are used up.
inline constexpr char k_textNoNewId[] = "Can not assign a new item id";
// EIdxFileError from EndAppend without BeginAppend.
inline constexpr char k_textEndWithoutBegin[] = "EndAppend without BeginAppend";
// EIdxFileError when a compacted pair could not be put in place: this text, the base
// path, then k_textPackedKeptAs and the files that hold the data.
inline constexpr char k_textCanNotPlacePacked[] = "Can not put the packed files in place of ";
inline constexpr char k_textPackedKeptAs[] = "; the data is kept in ";
// EIdxFileError, and the command line's report, when an id has no live record.
inline constexpr char k_textNoMessageWithId[] = "No message with id ";
