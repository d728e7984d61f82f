#include "velloran/foundations/errors.h"

namespace vl {

void RaiseListError(const char* msg, int64_t data) {
    std::string text = msg;
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(data));
    throw EListError(text);
}

void RaiseReadError() { throw EReadError(SReadError); }
void RaiseWriteError() { throw EWriteError(SWriteError); }
void RaiseFileCreateError(const std::string& fileName) {
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
}
void RaiseFileOpenError(const std::string& fileName) {
    throw EFOpenError("Cannot open file \"" + fileName + "\"");
}
void RaiseConvertError(const std::string& msg) { throw EConvertError(msg); }
void RaiseInvalidGraphic(const std::string& msg) { throw EInvalidGraphic(msg); }
void RaiseError(const std::string& msg) { throw Exception(msg); }
void RaiseComponentError(const std::string& msg) { throw EComponentError(msg); }
void RaiseInOutError(const std::string& msg) { throw EInOutError(msg); }
void RaiseInvalidOperation(const std::string& msg) { throw EInvalidOperation(msg); }
void Abort() { throw EAbort(); }

} // namespace vl
