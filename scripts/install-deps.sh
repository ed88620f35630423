#!/usr/bin/env bash
# Installs the packages a fresh machine lacks: the mingw-w64 cross compilers, Wine and its
# fonts, Xvfb, Mesa's off-screen library (Wine renders OpenGL into memory bitmaps through it),
# clang for the fuzz targets, clang-format for the layout check, and for Japanese mode a
# Japanese font and the ja_JP.UTF-8 locale, and the access-entry tools for a save's test.
# Does nothing when all are present.
set -euo pipefail

need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || need+=(g++-mingw-w64-x86-64-posix)
command -v wine >/dev/null || need+=(wine64 wine)
# Wine's own fonts (Tahoma, the caption-button symbols) are only recommended by its packages.
[ -e /usr/share/wine/fonts/tahoma.ttf ] || need+=(fonts-wine)
command -v Xvfb >/dev/null || need+=(xvfb xauth)
[ -e /usr/lib/x86_64-linux-gnu/libOSMesa.so.8 ] || need+=(libosmesa6)
command -v clang >/dev/null || need+=(clang)
command -v clang-format >/dev/null || need+=(clang-format)
ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || need+=(libclang-rt-14-dev)
[ -d /usr/src/googletest ] || need+=(googletest)
[ -e /usr/lib/x86_64-linux-gnu/cmake/benchmark/benchmarkConfig.cmake ] || need+=(libbenchmark-dev)
[ -e /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf ] || need+=(fonts-ipafont-gothic)
[ -e /usr/share/i18n/locales/ja_JP ] || need+=(locales)
# A save's test gives a file access entries beyond its mode.
command -v setfacl >/dev/null || need+=(acl)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# Wine takes a process's code page from its locale: Japanese mode is tested under this one.
make_japanese_locale()
{
    locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$' ||
        $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
}

if [ ${#need[@]} -eq 0 ]; then
    make_japanese_locale
    exit 0
fi
echo "Installing: ${need[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
make_japanese_locale
