// The one instance of the extension's state.
#include "extension/extension_state_win.h"

namespace ext {

ExtensionState& extensionState() {
    static ExtensionState state;
    return state;
}

} // namespace ext
