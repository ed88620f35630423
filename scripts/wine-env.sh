# Sourced: a private Wine prefix under build/, a virtual 1280x1024x24 display and a kept-alive
# wine server, for running window tests by hand or from scripts/test.sh:
#   source scripts/wine-env.sh && wine build/win/test_platform_win.exe
# Sets WINE_ENV_CLEANUP to a command that stops the display and the server.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo -display "$DISPLAY" >/dev/null 2>&1; then
    display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_env_xvfb=$!
    export DISPLAY=":$display"
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.3
    done
    WINE_ENV_CLEANUP="wineserver -k >/dev/null 2>&1; kill $wine_env_xvfb >/dev/null 2>&1"
else
    WINE_ENV_CLEANUP="wineserver -k >/dev/null 2>&1"
fi
mkdir -p "$(dirname "$WINEPREFIX")"
[ -d "$WINEPREFIX" ] || wineboot -i >/dev/null 2>&1
# This Wine finds its own fonts only inside the prefix: without the caption-button symbol font,
# caption and MDI buttons show the letters behind the symbols; without Tahoma, the interface
# face, the Japanese font linked to it below stands in for it whole and draws a yen sign for
# every backslash.
wine_env_fonts="$WINEPREFIX/drive_c/windows/Fonts"
for font in /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf; do
    [ -f "$font" ] && [ ! -f "$wine_env_fonts/$(basename "$font")" ] && mkdir -p "$wine_env_fonts" &&
        cp "$font" "$wine_env_fonts/"
done
wineserver -p >/dev/null 2>&1
# Start the prefix's services now, away from any pipe a later command reads. A start under another
# code page than the last one's also makes Wine write its own font links again (below).
wine cmd /c exit >/dev/null 2>&1
# Japanese text in the interface fonts. Menus, message boxes, dialogs and the status bar draw in
# Tahoma (MS Shell Dlg stands for it), which has no Japanese glyphs: it links to the IPA Gothic
# fonts for the glyphs it lacks, so English text keeps its face, its size and its backslash (IPA
# Gothic draws a yen sign there). Wine looks a bold face's links up by its full name, "Tahoma
# Bold" (the graph's captions, bold labels). Interface faces that this Wine lacks are Tahoma too:
# a link from a missing face would draw everything in IPA Gothic. The Japanese faces that the
# program names are replaced by IPA Gothic.
wine_env_system_link='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion'
wine_env_fonts_reg()
{
    local links="" face
    for face in ipagp.ttf,IPAPGothic ipag.ttf,IPAGothic; do
        links+="$face"$'\n'
    done
    # REG_MULTI_SZ: UTF-16 strings, each ended, and an empty one after them.
    local multi
    multi=$(printf '%s\n' "$links" | tr '\n' '\0' | iconv -f UTF-8 -t UTF-16LE | xxd -p |
        tr -d '\n' | sed 's/../&,/g; s/,$//')
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[%s\\FontLink\\SystemLink]\r\n' "$wine_env_system_link"
    for face in "Tahoma" "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2"; do
        printf '"%s"=hex(7):%s\r\n' "$face" "$multi"
    done
    # Links of an earlier set-up from faces that this Wine lacks go.
    for face in "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI"; do
        printf '"%s"=-\r\n' "$face"
    done
    printf '\r\n[%s\\FontSubstitutes]\r\n' "$wine_env_system_link"
    printf '"%s"="Tahoma"\r\n' "MS Sans Serif" "Microsoft Sans Serif" "Segoe UI"
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"%s"="IPAGothic"\r\n' "ＭＳ ゴシック" "MS Gothic"
    printf '"%s"="IPAPGothic"\r\n' "ＭＳ Ｐゴシック" "MS PGothic" "MS UI Gothic"
}
# Whether Tahoma and its bold face link to IPA Gothic now. Wine writes its own links for Tahoma
# (to fonts it does not have) at every start under another code page than the last one's, a
# Japanese start after an English one or back: so the links are looked at in every set-up, after
# the start above, and written again when they are not ours. Wine leaves "Tahoma Bold" alone, and
# its own links for regular Tahoma reach IPA Gothic through the replaced MS UI Gothic, so a start
# under the other code page keeps the glyphs too.
wine_env_fonts_linked()
{
    local links
    links=$(wine reg query "$wine_env_system_link\\FontLink\\SystemLink" 2>/dev/null)
    grep -qE '^ +Tahoma +REG_MULTI_SZ +ipagp\.ttf,IPAPGothic' <<<"$links" &&
        grep -qE '^ +Tahoma Bold +REG_MULTI_SZ +ipagp\.ttf,IPAPGothic' <<<"$links" &&
        grep -q '^"Segoe UI"="Tahoma"' "$WINEPREFIX/system.reg" 2>/dev/null
}
if [ -f /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf ] && ! wine_env_fonts_linked; then
    wine_env_reg_file="$WINEPREFIX/drive_c/gravik-fonts.reg"
    wine_env_fonts_reg | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } \
        >"$wine_env_reg_file"
    wine regedit /S 'C:\gravik-fonts.reg' >/dev/null 2>&1
    rm -f "$wine_env_reg_file"
fi
# Without a window manager, hiding or destroying a managed (active) top-level window waits two
# seconds for the manager to withdraw it: let Wine manage its windows itself.
grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null ||
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# A crash must end its process at once with a failing exit code: the default debugger waits in a
# crash dialog on a display, and without the dialog it lets the process exit with 0.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
    >/dev/null 2>&1
export GRAVIK_REQUIRE_GL=1
