# Sourced by the Windows scripts: prepare_wine_prefix DIR makes a Wine prefix in DIR,
# started once, with the Chinese fonts standing in for 宋体 and the dialogs' fonts, and
# .txt files opened by Notepad, as on a Chinese Windows. Exports WINEPREFIX. 宋体 is AR
# PL UMing (fonts-arphic-uming), whose metrics are SimSun's, so that the window has the
# size it has on Windows.
prepare_wine_prefix() {
  export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1
  wineserver -w
  local reg="$WINEPREFIX/setup.reg"
  {
    printf '\xff\xfe'
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"宋体"="AR PL UMing CN"' '"SimSun"="AR PL UMing CN"' \
      '"Tahoma"="Noto Sans CJK SC"' '"MS Shell Dlg"="Noto Sans CJK SC"' \
      '"MS Shell Dlg 2"="Noto Sans CJK SC"' '"Microsoft Sans Serif"="Noto Sans CJK SC"' '' \
      '[HKEY_CLASSES_ROOT\.txt]' '@="txtfile"' | iconv -f UTF-8 -t UTF-16LE
  } >"$reg"
  wine regedit /S "$(winepath -w "$reg")"
  # A Wine started here, without the display, could not show windows later.
  wineserver -w
}
