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
# Qt wants a private runtime folder; root shells on CI have none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

inst="$work/Quorvex"

# The bundled sample installation: a cellar of a few hundred wines in databases at the oldest
# versions the updater supports, registered as the suite's installation.
"$build/bin/qvsample" --out "$inst" --register

# The main job: the updater brings every database to its current version, unattended, with the
# user's backup written to a folder of its own, and hands over to the compaction program.
mkdir -p "$work/UserBackup"
"$inst/Tools/travone" --unattended --backup-dir "$work/UserBackup"

# The updater hands over to tovrak without waiting for it; let the compaction finish first.
compacting() { grep -qsx tovrak /proc/[0-9]*/comm; }
for _ in $(seq 600); do compacting || break; sleep 0.1; done

echo
echo "Database versions after the update:"
for file in csample.qvd settings.dat weblinks.dat; do
    printf '%-14s' "$file"
    "$build/bin/qvsql" --password vutmarelko "$inst/$file" "SELECT Version FROM tblDBVer" | tail -n 1
done

# The support report of the installation, as the analyser writes it when started silently.
echo
touch "$inst/Tools/waiting.txt"
"$inst/Tools/kestrune" silent
echo "First lines of $inst/Tools/FileAnalysis.txt:"
head -n 25 "$inst/Tools/FileAnalysis.txt" | tr -d '\r'

echo
echo "Jet SQL on the updated cellar:"
"$build/bin/qvsql" --password vutmarelko "$inst/csample.qvd" "SELECT TOP 5 Vintage, DrinkFrom, Optimal, DrinkTo, Format([Created], \"yyyy-mm-dd\") AS Added FROM tblWines WHERE Vintage <> \"\" ORDER BY Vintage, WineID"

# The reports of the updated cellar, headless, as the host program runs them: each report is
# written as a PDF and its page count shown; a report that cannot be made ends the job.
echo
echo "Reports of the updated cellar:"
mkdir -p "$work/Reports"
for report in winelist summary cellarbook locations; do
    case $report in
        winelist) options=(--grouping "Country/StateRegion/") ;;
        cellarbook) options=(--details) ;;
        locations) options=(--kind ByLocation) ;;
        *) options=() ;;
    esac
    out="$work/Reports/$report.pdf"
    "$build/bin/quorvex" report "$report" "${options[@]}" --export pdf --out "$out"
    printf '%-12s %3s pages  %s\n' "$report" "$(pdfinfo "$out" | awk '/^Pages:/ {print $2}')" "$out"
done
