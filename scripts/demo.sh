#!/usr/bin/env bash
# Builds the suite and runs its main job on the bundled sample installation.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

build=${QV_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
export QUORVEX_REGISTRY="$work/registry.db"

# Until the updater exists, the demonstration writes the suite's registry key for a sample
# installation and exports it as the analyser will.
"$build/bin/qvreg" set 'HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Application' FullPath "$work/Quorvex"
"$build/bin/qvreg" set 'HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Application' UniqueID 4711
"$build/bin/qvreg" set 'HKEY_CURRENT_USER\Software\Quillmere\Quorvex\LastDatabase' FullPath "$work/Quorvex/csample.qvd"
"$build/bin/qvreg" set 'HKEY_CURRENT_USER\Software\Quillmere\Quorvex\Form Positions\frmReportViewer' X 1440 dword
"$build/bin/regedit" /E "$work/QuorvexRegExport.reg" 'HKEY_CURRENT_USER\Software\Quillmere\Quorvex'
echo "Registry export written to $work/QuorvexRegExport.reg:"
iconv -f UTF-16LE -t UTF-8 "$work/QuorvexRegExport.reg" | tr -d '\r'
