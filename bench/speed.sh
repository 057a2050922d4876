#!/usr/bin/env bash
# Quorvel's speed against the outside tools, measured side by side in one run:
#   (a) a terrain-like archive, (b) many small members, (c) one large member, each
#       extracted by Unzip and by Info-ZIP's `unzip -j -o -qq` into an empty folder
#       and over an existing extraction, with `cp -r` of the extracted files as the
#       limit, then installed and uninstalled;
#   Clear All of a game folder of 20,000 loose files against `find ... -delete`;
#   listing a category folder of 5,000 archives; the settings editor in a game
#   folder of 1, 2,000 and 20,000 files; start-up of the real program to
#   its main window, less the splash's second; peak memory of the program while
#   it installs (a).
# The inputs come from a fixed seed. Each time is the best of REPEAT runs, each run
# after `sync`; the extraction figures are taken a second time without it. Prints a
# table with ratios and the goals; never fails because of them.
#
#   bench/speed.sh [BUILD_DIR]                  (default build/release)
#   REPEAT=3 SEED=20261206 WORK_DIR=/tmp bench/speed.sh
# Needs zip, unzip, xvfb, xauth, xdotool and GNU time (Debian package `time`).
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build/release}")
tool=$build/bench/quorvel_bench_tool
listing=$build/bench/listing_bench
settings=$build/bench/settings_bench
program=$build/Quorvel
for needed in "$tool" "$listing" "$settings" "$program/quorvel"; do
    [[ -x $needed ]] || { echo "build it first: cmake --preset release && cmake --build --preset release -j2 ($needed)"; exit 1; }
done
for command in zip unzip xvfb-run xdotool /usr/bin/time; do
    command -v "$command" >/dev/null || { echo "needs $command"; exit 1; }
done

if [[ -z ${QUORVEL_ON_DISPLAY:-} ]]; then
    exec env QUORVEL_ON_DISPLAY=1 xvfb-run -a -s "-screen 0 1100x800x24" "$0" "$build"
fi

repeat=${REPEAT:-3}
seed=${SEED:-20261206}
work=$(mktemp -d "${WORK_DIR:-${TMPDIR:-/tmp}}/quorvel-speed-XXXXXX")
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
cd "$work" || exit 1

now() { date +%s.%N; }
# Seconds a command takes. With settle=sync it runs once the disk has caught up
# with earlier runs (the game's files already on disk, as players have them);
# with settle=none it also pays for earlier runs' writes still in the cache.
settle=sync
timed() {
    [[ $settle == sync ]] && sync
    local start end
    start=$(now)
    "$@" >/dev/null 2>&1
    end=$(now)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }'
}
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
# Whether a figure meets its goal: "met" when value <= limit.
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v <= l ? "met" : "MISSED") }'; }
goal() { printf '  %-58s %10s  (goal <= %s)  %s\n' "$1" "$2" "$3" "$(verdict "$2" "$3")"; }

echo "machine: $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GB", $2 / 1048576 }' /proc/meminfo);" \
     "load $(cut -d' ' -f1-3 /proc/loadavg); build: $build; best of $repeat runs"

# --- the three archives -------------------------------------------------------
echo "making the archives from seed $seed ..."
mkdir -p lib
"$tool" make-tree tree-a 130 "$seed" >/dev/null
"$tool" make-small tree-b 10000 "$seed" >/dev/null
"$tool" make-large tree-c/TERRAIN.BIN 200 "$seed" >/dev/null
for name in a b c; do
    (cd "tree-$name" && zip -q -r "$work/lib/ADDON_${name^^}.ZIP" .)
done
describe() {
    unzip -Zt "lib/ADDON_$1.ZIP" | awk -v n="$1" -v c="$(stat -c %s "lib/ADDON_$1.ZIP")" \
        '{ printf "  (%s) %6d members, %6.1f MB, %6.1f MB compressed (ratio %.1f)\n", tolower(n), $1, $3 / 1048576, c / 1048576, $3 / c }'
}
for name in A B C; do describe "$name"; done

# --- extraction ---------------------------------------------------------------
declare -A figure
# Runs never delete between them, and every extraction into an empty folder comes
# before the first extraction over an existing one: on ext4 without a journal,
# files created soon after many deletions pay for them (the allocator skips
# recently freed inodes), and each tool would pay for the other's. The tools take
# turns going first.
turns() { ((run % 2)) && echo "quorvel unzip" || echo "unzip quorvel"; }
extract_into_empty() { # A|B|C
    local archive=lib/ADDON_$1.ZIP ue=() qe=() cp=() run who
    for ((run = 0; run < repeat; run++)); do
        mkdir "by-unzip-$settle-$1-$run" "by-quorvel-$settle-$1-$run"
        for who in $(turns); do
            if [[ $who == unzip ]]; then
                ue+=("$(timed unzip -j -o -qq "$archive" -d "by-unzip-$settle-$1-$run")")
            else
                qe+=("$(timed /usr/bin/time -f %M -o "rss-$1" "$tool" unzip "$archive" "by-quorvel-$settle-$1-$run")")
            fi
        done
        cp+=("$(timed cp -r "by-unzip-$settle-$1-$run" "copied-$settle-$1-$run")")
    done
    figure[$settle.$1.ue]=$(best "${ue[@]}") figure[$settle.$1.qe]=$(best "${qe[@]}") figure[$settle.$1.cp]=$(best "${cp[@]}")
}
extract_over_existing() { # A|B|C
    local archive=lib/ADDON_$1.ZIP uo=() qo=() run who
    for ((run = 0; run < repeat; run++)); do
        for who in $(turns); do
            if [[ $who == unzip ]]; then
                uo+=("$(timed unzip -j -o -qq "$archive" -d "by-unzip-$settle-$1-$run")")
            else
                qo+=("$(timed "$tool" unzip "$archive" "by-quorvel-$settle-$1-$run")")
            fi
        done
    done
    figure[$settle.$1.uo]=$(best "${uo[@]}") figure[$settle.$1.qo]=$(best "${qo[@]}")
}
extraction_row() { # A|B|C
    local same=yes
    diff -rq "by-unzip-$settle-$1-0" "by-quorvel-$settle-$1-0" >/dev/null || same=NO
    printf '  (%s)  %7s %7s %6s   %7s %7s %6s   %7s %6s   %5s MB   %s\n' "${1,,}" \
        "${figure[$settle.$1.ue]}" "${figure[$settle.$1.qe]}" "$(ratio "${figure[$settle.$1.qe]}" "${figure[$settle.$1.ue]}")" \
        "${figure[$settle.$1.uo]}" "${figure[$settle.$1.qo]}" "$(ratio "${figure[$settle.$1.qo]}" "${figure[$settle.$1.uo]}")" \
        "${figure[$settle.$1.cp]}" "$(ratio "${figure[$settle.$1.qo]}" "${figure[$settle.$1.cp]}")" "$(($(cat "rss-$1") / 1024))" "$same"
}
for settle in sync none; do
    echo
    echo "extraction, seconds, $([[ $settle == sync ]] && echo "sync before each run" || echo "no sync before the runs")"
    echo "                         into an empty folder       over an existing extraction   cp -r of the files  Unzip   same files"
    echo "                         unzip   Unzip  ratio     unzip   Unzip  ratio      cp -r  Unzip/cp  peak     as unzip"
    for name in A B C; do extract_into_empty "$name"; done
    for name in A B C; do extract_over_existing "$name"; done
    for name in A B C; do extraction_row "$name"; done
done
settle=sync

# --- install and uninstall ----------------------------------------------------
echo
echo "install and uninstall into an empty game folder, seconds:"
for name in A B C; do
    installs=() uninstalls=()
    for ((run = 0; run < repeat; run++)); do
        mkdir "game-$name-$run" "backups-$name-$run" && sync
        read -r install uninstall written deleted < <("$tool" install-uninstall lib "ADDON_$name" \
            "game-$name-$run" "backups-$name-$run")
        installs+=("$install") uninstalls+=("$uninstall")
    done
    figure[$name.install]=$(best "${installs[@]}") figure[$name.uninstall]=$(best "${uninstalls[@]}")
    printf '  (%s) install %7s  uninstall %7s  uninstall/install %.4f  (%s files written, %s deleted)\n' \
        "${name,,}" "${figure[$name.install]}" "${figure[$name.uninstall]}" \
        "$(awk -v u="${figure[$name.uninstall]}" -v i="${figure[$name.install]}" 'BEGIN { print (i > 0 ? u / i : 0) }')" \
        "$written" "$deleted"
done

# --- Clear All ----------------------------------------------------------------
masks=(TPC 3DZ CPT DAT FLT FNT FSP SND MNU SMK ADP PIC MPC PAL RAW SPT TER STR WSD WSP HM)
find_args=()
for mask in "${masks[@]}"; do find_args+=(-o -iname "*.$mask"); done
"$tool" make-game game-template 20000 "$seed" >/dev/null
mkdir -p backups
by_quorvel=() by_find=()
for ((run = 0; run < repeat; run++)); do
    cp -a game-template "game-q$run" && cp -a game-template "game-f$run"
    by_quorvel+=("$(timed "$tool" clear-all "game-q$run" backups)")
    by_find+=("$(timed find "game-f$run" -maxdepth 1 -type f \( "${find_args[@]:1}" \) -delete)")
done
left_by_quorvel=$(ls game-q0 | md5sum) left_by_find=$(ls game-f0 | md5sum)
figure[clear]=$(best "${by_quorvel[@]}") figure[find]=$(best "${by_find[@]}")
echo
printf 'Clear All of 20,000 files (%s of the game types): %s s; find -delete %s s; ratio %s; same files left: %s\n' \
    "$(ls game-template | grep -ciE "\.($(IFS='|'; echo "${masks[*]}"))$")" "${figure[clear]}" "${figure[find]}" \
    "$(ratio "${figure[clear]}" "${figure[find]}")" "$([[ $left_by_quorvel == "$left_by_find" ]] && echo yes || echo NO)"

# --- listing ------------------------------------------------------------------
listed=$("$listing" --benchmark_format=csv 2>/dev/null | grep '^"BM_')
listing_ms() { echo "$listed" | grep "$1" | cut -d, -f3 | xargs printf '%.1f'; }
listing_cpu_ms() { echo "$listed" | grep "$1" | cut -d, -f4 | xargs printf '%.1f'; }
figure[list]=$(listing_ms BM_ListAddonNames) figure[choose]=$(listing_ms BM_ChooseCategory)
echo
printf 'listing 5,000 archives: %s ms (CPU %s ms); the main window'"'"'s category click that lists them: %s ms (CPU %s ms)\n' \
    "${figure[list]}" "$(listing_cpu_ms BM_ListAddonNames)" "${figure[choose]}" "$(listing_cpu_ms BM_ChooseCategory)"

# --- the settings editor in a full game folder ----------------------------------
measured=$("$settings" --benchmark_format=csv 2>/dev/null | grep '^"BM_')
settings_ms() { echo "$measured" | grep "\"$1/files:$2\"" | cut -d, -f3 | xargs printf '%.1f'; }
echo
echo "the settings editor, ms (wall clock)   1 file   2,000 files   20,000 files"
for row in OpenSettingsBound:open:"opening the window" ToggleClick:toggle:"a toggle click (12 keys)" \
    SliderStep:slider:"a slider step" RestoreIni:restore:"Restore INI"; do
    IFS=: read -r case key caption <<<"$row"
    for files in 1 2000 20000; do figure[$key.$files]=$(settings_ms "BM_$case" "$files"); done
    printf '  %-36s %7s %11s %14s\n' "$caption" "${figure[$key.1]}" "${figure[$key.2000]}" "${figure[$key.20000]}"
done

# --- the real program: start-up and peak memory --------------------------------
prog=$work/Quorvel
cp -r "$program" "$prog"
mkdir -p eaw
for file in EAW.EXE EAW.INI EXTRA.SPT GRB_031.SND; do echo "game $file" >"eaw/$file"; cp "eaw/$file" "$prog/BACKUPS/"; done
{
    printf '[PATH]\r\nRUTAEAW=%s/\r\n' "$work/eaw"
    for key in RUTAMODELOSVUELO:FLIGHTMODELS RUTAMISIONES:MISSIONS RUTASKINS:SKINS RUTATERRENOS:TERRAINS \
        RUTAGRAFICOS:GRAPHICS RUTASONIDOS:SOUNDS RUTAEXES:EXES RUTABACKUPS:BACKUPS; do
        printf '%s=%s/%s/\r\n' "${key%%:*}" "$prog" "${key##*:}"
    done
    printf '[CONFIGURATION]\r\nBACKUPS=1\r\n'
} >"$prog/QUORVEL.INI"
cp lib/ADDON_A.ZIP "$prog/TERRAINS/TERRAIN.ZIP"

main_title='^EUROPEAN AIR WAR Quorvel v1.0$'
# Waits for the main window to be shown; prints its id.
main_window() {
    local id tries=1000
    until id=$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null | head -n 1) && [[ -n $id ]]; do
        tries=$((tries - 1)); [[ $tries -gt 0 ]] || return 1
        sleep 0.005
    done
    echo "$id"
}
startups=()
for ((run = 0; run < repeat; run++)); do
    sync
    start=$(now)
    "$prog/quorvel" &
    main_window >/dev/null
    end=$(now)
    kill $! 2>/dev/null; wait $! 2>/dev/null
    startups+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.0f", (b - a - 1) * 1000 }')")
done
figure[startup]=$(best "${startups[@]}")
echo
echo "start-up to the main window, less the splash's second: ${figure[startup]} ms (runs: ${startups[*]} ms)"

# Install (a) through the window as a player does: the TERRAINS button, then a
# double-click on the add-on; the program is stopped once every file is in place.
members=$(unzip -Z1 lib/ADDON_A.ZIP | grep -vc '/$')
/usr/bin/time -f %M -o program-rss "$prog/quorvel" &
timer=$!
main=$(main_window)
start=$(now)
xdotool mousemove --window "$main" 540 316 click 1
sleep 0.3
xdotool mousemove --window "$main" 640 176 click --repeat 2 --delay 80 1
for ((tries = 0; tries < 1200; tries++)); do
    [[ $(ls eaw | grep -vc '\.quorvel-tmp$') -ge $((members + 4)) ]] && break
    sleep 0.1
done
end=$(now)
sleep 0.5
kill "$(pgrep -P "$timer")" 2>/dev/null; wait "$timer" 2>/dev/null
figure[rss]=$(($(tail -n 1 program-rss) / 1024))
echo "peak memory of the program installing (a): ${figure[rss]} MB" \
     "(install took $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", b - a }') s by the clock of this script)"

# --- goals --------------------------------------------------------------------
echo
echo "goals:"
goal "(a) over an existing extraction, Unzip / unzip" "$(ratio "${figure[sync.A.qo]}" "${figure[sync.A.uo]}")" 0.2
goal "(a) over an existing extraction, Unzip / cp -r" "$(ratio "${figure[sync.A.qo]}" "${figure[sync.A.cp]}")" 1.6
goal "(a) into an empty folder, Unzip / unzip" "$(ratio "${figure[sync.A.qe]}" "${figure[sync.A.ue]}")" 0.3
goal "(b) into an empty folder, Unzip / unzip" "$(ratio "${figure[sync.B.qe]}" "${figure[sync.B.ue]}")" 0.5
goal "(b) over an existing extraction, Unzip / unzip" "$(ratio "${figure[sync.B.qo]}" "${figure[sync.B.uo]}")" 0.5
goal "(c) into an empty folder, Unzip / unzip" "$(ratio "${figure[sync.C.qe]}" "${figure[sync.C.ue]}")" 0.65
goal "(c) over an existing extraction, Unzip / unzip" "$(ratio "${figure[sync.C.qo]}" "${figure[sync.C.uo]}")" 0.65
goal "uninstall of (a) / its install" "$(awk -v u="${figure[A.uninstall]}" -v i="${figure[A.install]}" 'BEGIN { printf "%.4f", (i > 0 ? u / i : 0) }')" 0.02
goal "Clear All of 20,000 files / find -delete" "$(ratio "${figure[clear]}" "${figure[find]}")" 1.5
goal "listing 5,000 archives, ms" "${figure[list]}" 50
for files in 1 2000 20000; do
    goal "opening the settings editor, game folder of $files, ms" "${figure[open.$files]}" 50
    goal "a toggle click, game folder of $files, ms" "${figure[toggle.$files]}" 10
    goal "a slider step, game folder of $files, ms" "${figure[slider.$files]}" 10
done
goal "start-up to the main window less the splash, ms" "${figure[startup]}" 300
goal "peak memory of the program during (a), MB" "${figure[rss]}" 150
exit 0
