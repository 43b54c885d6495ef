#!/bin/sh
# q748.exe must ship alone: it may import only DLLs that come with Windows (no libstdc++,
# libgcc or libwinpthread beside it), and it carries its icon, manifest and version information.
# usage: check-exe.sh OBJDUMP WINDRES EXE
set -eu
objdump=$1
windres=$2
exe=$3

status=0
dlls=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name:[[:space:]]*//p')
if [ -z "$dlls" ]; then
  echo "no imported DLLs found in $exe: is it a PE file?" >&2
  exit 1
fi
echo "$dlls" | grep -qi '^kernel32\.dll$' || { echo "KERNEL32.dll is not imported: odd PE file" >&2; status=1; }

# The system's own DLLs, and the Universal CRT's forwarders.
allowed='^(kernel32|user32|gdi32|comctl32|imm32|shell32|advapi32|msvcrt|ole32|oleaut32|shcore|uxtheme|version|comdlg32|ws2_32|bcrypt|ntdll|ucrtbase|api-ms-win-(crt|core)-[a-z0-9-]+)\.dll$'
for dll in $dlls; do
  if echo "$dll" | grep -Eqi "$allowed"; then
    echo "ok      $dll"
  else
    echo "NOT OK  $dll (does not ship with Windows)" >&2
    status=1
  fi
done

resources=$("$windres" -i "$exe" -O rc 2>/dev/null | grep -v '^ *0x' || true)
expect() {
  if echo "$resources" | grep -q -- "$1"; then
    echo "ok      resource: $2"
  else
    echo "NOT OK  resource missing: $2" >&2
    status=1
  fi
}
expect 'RT_GROUP_ICON' 'icon'
expect 'PerMonitorV2' 'manifest with per-monitor dpi awareness v2'
expect 'Microsoft.Windows.Common-Controls' 'manifest with common controls 6'
expect 'VALUE "FileDescription", L"q748_\\x30bd\\x30e9\\x30c8\\xff2b"' 'version information titled q748_ソラトＫ'
exit $status
