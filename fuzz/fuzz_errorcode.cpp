// The error-code dictionary reads whatever the projector calls its code.
#include "fuzz/fuzzsupport.h"

#include "monitor/errorcodedictionary.h"

FUZZ_INIT

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString code = QString::fromUtf8(FuzzSupport::bytes(data, size));
    const QString decoded = ErrorCodeDictionary::decodeErrorCode(code);
    // Three words, both blanks standing, whatever the code; the words come
    // from the dictionary, so the text stays short.
    FUZZ_CHECK(decoded.count(QLatin1Char(' ')) >= 2);
    FUZZ_CHECK(decoded.size() < 256);
    FUZZ_CHECK(decoded == ErrorCodeDictionary::decodeErrorCode(code));
    FUZZ_CHECK(!ErrorCodeDictionary::labelStyleSheet(code, true).isEmpty());
    FUZZ_CHECK(!ErrorCodeDictionary::labelStyleSheet(code, false).isEmpty());
    return 0;
}
