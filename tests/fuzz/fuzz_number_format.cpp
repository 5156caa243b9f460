// formatNumber against a plain grouping of the fixed-point text, for every
// finite value and count of decimals; non-finite values must not crash.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/text/number_format.h"

namespace {

std::string slowFormat(double value, int decimals) {
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals >= 1 && decimals <= 3 ? decimals : 0, value);
    if (decimals != 0 && (decimals < 1 || decimals > 3)) // refused count: the whole number, no separators
        return buffer;
    std::string s = buffer, sign;
    if (s[0] == '-') {
        sign = "-";
        s.erase(0, 1);
    }
    const std::size_t dot = decimals > 0 ? s.size() - decimals - 1 : s.size();
    std::string whole = s.substr(0, dot), grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += '.';
        grouped += whole[i];
    }
    return sign + grouped + (decimals > 0 ? "," + s.substr(dot + 1) : "");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int decimals = in.ConsumeIntegralInRange(-2, 6);
    const double value =
        in.ConsumeBool() ? in.ConsumeFloatingPoint<double>() : static_cast<double>(in.ConsumeIntegral<std::int64_t>());
    const std::string got = text::formatNumber(value, decimals);
    if (std::isfinite(value) && got != slowFormat(value, decimals))
        std::abort();
    const std::uint64_t total = in.ConsumeIntegral<std::uint64_t>();
    text::byteLine(total);
    text::kilobyteLine(total);
    text::megabyteLine(total);
    return 0;
}
