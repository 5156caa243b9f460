// Number formatting into fixed buffers, as the dialogs need it.
#include "common/text/number_format_win.h"

#include <windows.h>

#include "common/text/number_format.h"
#include "common/win/deliverable.h"
#include "common/text/text_buffer.h"

namespace text {

void formatNumber(char* out, std::size_t outSize, double value, int decimals) {
    if (decimals > kMaxDecimals)
        MessageBoxA(nullptr, "Anzahl Nachkommastellen nicht vorgesehen", deliverable().messageCaption,
                    MB_OK | MB_ICONEXCLAMATION);
    copyText(out, outSize, formatNumber(value, decimals));
}

} // namespace text
