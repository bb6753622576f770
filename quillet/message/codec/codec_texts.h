// The codecs' exception texts.
#pragma once

namespace codec_texts {
constexpr const char* k_invalidCharacter = "Invalid character in the input file";
constexpr const char* k_base64EncodeMisuse = "Internal Error: TBase64.Encode";
constexpr const char* k_base64DecodeMisuse = "Internal Error: TBase64.Decode";
constexpr const char* k_uuEncodeMisuse = "Internal Error: TUUEncode.Encode";
constexpr const char* k_uuInvalidFormat = "Invalid UUEncode format";
constexpr const char* k_qpParagraphTooLargeToEncode = "QP: Paragraph too large to encode";
constexpr const char* k_qpParagraphTooLarge = "Paragraph is too large";
}  // namespace codec_texts
