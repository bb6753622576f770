// Parameters of MIME field values, with the RFC 2231 forms that mailers use for long
// and non-ASCII values: name*=charset'language'%XX..., and name*0, name*1... pieces.
#pragma once

#include <string>

namespace msgdecode {

// The parameter's value: an RFC 2231 value when the field has one (percent escapes
// decoded to raw bytes, the charset left as it is), else GetParam's answer, which is
// "$$Unable to Get$$" when the parameter is missing.
std::string GetMimeParam(const std::string& name, const std::string& fieldValue);
// The same for a value meant as text (a file name): an RFC 2231 value is converted from
// its charset into the system code page when the platform knows that charset.
std::string GetMimeParamText(const std::string& name, const std::string& fieldValue);

}  // namespace msgdecode
