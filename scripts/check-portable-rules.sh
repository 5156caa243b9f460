#!/usr/bin/env bash
# Fails when a rule file (any .cpp/.h outside the glue) pulls in the platform headers.
cd "$1" || exit 2
bad=$(find common extension helper -name '*.cpp' -o -name '*.h' | grep -v -E '_win\.(cpp|h)$|^common/win/' |
      xargs -r grep -l -E '#\s*include\s*[<"](windows|winsock|wfext|commctrl|shellapi|winuser|winbase)' 2>/dev/null)
if [ -n "$bad" ]; then
    echo "rule files include platform headers:"; echo "$bad"; exit 1
fi
echo "rule files are portable"
