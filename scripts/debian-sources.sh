# Sourced by the Windows scripts: downloads Debian source packages from the
# archives this machine installs from, through a private apt configuration in the
# folder given; the system's own is left as it is.

# The source entries of every package entry of the machine, in both of apt's
# formats (sources.list and *.list lines, *.sources stanzas), whatever the mirror.
write_source_entries() { # apt-folder
  local apt=$1 file
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial"
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$file" ] || continue
    sed -nE 's/^[[:space:]]*deb[[:space:]]+/deb-src /p' "$file"
  done >"$apt/sources.list"
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:[^\n]*deb/ && !/(^|\n)Enabled: *no/ {
           sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file"
  done >"$apt/sources.list.d/machine-src.sources"
}

private_apt() { # apt-folder apt-get-arguments...
  local apt=$1
  shift
  apt-get -o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d" \
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root "$@"
}

# Reads the source lists anew. An archive without sources (a third party's) fails
# its part of the update and is passed over; whether the package came is what counts.
refresh_source_lists() { # apt-folder
  local apt=$1
  write_source_entries "$apt"
  if ! grep -qs . "$apt/sources.list" "$apt/sources.list.d/machine-src.sources"; then
    echo "No package archive found in /etc/apt/sources.list or /etc/apt/sources.list.d" >&2
    return 1
  fi
  private_apt "$apt" update -qq >"$apt/update.log" 2>&1 || true
}

unpack_sources() { # apt-folder destination package...
  (cd "$2" && private_apt "$1" source -qq "${@:3}" >"$2/source.log" 2>&1)
}

# Downloads and unpacks the newest source of each package into the destination.
# The lists are read anew when a download fails: they may be older than the archive.
download_sources() { # apt-folder destination package...
  local apt=$1 destination=$2
  mkdir -p "$destination"
  [ -e "$apt/update.log" ] || refresh_source_lists "$apt" || return 1
  unpack_sources "$@" && return 0
  refresh_source_lists "$apt" && unpack_sources "$@" && return 0
  echo "Could not download the Debian source of ${*:3} into $destination" >&2
  echo "(apt's words: $destination/source.log and $apt/update.log). Check that this machine" >&2
  echo "reaches the archives in /etc/apt/sources.list.d and that they offer sources." >&2
  return 1
}
