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

# A small cellar database, queried in the Jet dialect the suite's programs speak.
db="$work/csample.qvd"
"$build/bin/qvsql" --create "$db"
"$build/bin/qvsql" "$db" \
    "CREATE TABLE tblWines (WineID COUNTER CONSTRAINT PrimaryKey PRIMARY KEY, Winery TEXT(50), Vintage TEXT(4), Purchased DATETIME, Cost CURRENCY, Bottles SHORT)" \
    "INSERT INTO tblWines (Winery, Vintage, Purchased, Cost, Bottles) VALUES (\"Chateau Margaux\", \"1996\", #3/14/2001#, 310.5, 6)" \
    "INSERT INTO tblWines (Winery, Vintage, Purchased, Cost, Bottles) VALUES (\"Giacomo Conterno\", \"1999\", #10/13/2001#, 95, 12)" \
    "INSERT INTO tblWines (Winery, Vintage, Purchased, Cost, Bottles) VALUES (\"Penfolds\", \"\", #1/2/2004#, 42.25, 3)" >/dev/null
echo
echo "Jet SQL on $db:"
"$build/bin/qvsql" "$db" "SELECT Winery, IIf([Vintage] & \"\" = \"\", \"NV\", [Vintage]) AS Vint, Format([Purchased], \"yyyy-mm-dd\") AS Bought, Format([Cost]*[Bottles], \"#,##0.00\") AS [Value], DateSerial(Year([Purchased]), Month([Purchased]) + 11, 1) AS Review FROM tblWines WHERE Winery Like \"*o*\" ORDER BY Cost DESC"
