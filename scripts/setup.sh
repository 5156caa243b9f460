#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine (run as root).
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
          wine wine32:i386 wine64 xvfb xauth
          imagemagick x11-utils vsftpd cmake make g++ googletest libgtest-dev locales ripgrep python3 clang-format curl
          clang libclang-rt-14-dev time)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine picks the user's language from the Unix locale, so the test languages must exist.
wanted="de_DE en_US it_IT fr_FR es_ES nl_NL"
need_gen=0
for l in $wanted; do
    locale -a 2>/dev/null | grep -qi "^${l}\.utf-\?8$" || need_gen=1
done
if [ $need_gen -eq 1 ]; then
    sed -i -E 's/^# *((de_DE|en_US|it_IT|fr_FR|es_ES|nl_NL)\.UTF-8 UTF-8)/\1/' /etc/locale.gen
    locale-gen >/dev/null
fi

# The FTP tests log in to their own vsftpd as a local user with a password.
if ! id korbftp >/dev/null 2>&1; then
    useradd --no-create-home --home-dir / --shell /bin/sh korbftp
fi
echo 'korbftp:korb-ftp-13' | chpasswd
