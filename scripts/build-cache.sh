# Sourced by the Windows scripts: what takes long to build and never changes
# with the checkout (Qt and the libraries for Windows) is built once per machine
# into a folder of the user's cache, named by a digest of everything that makes
# it differ, and reused by every checkout and every CI run on the machine.
#
# A folder is whole only when its MANIFEST, written last, lists every file with
# its SHA-256 and every file matches: a killed build, a full disk or a removed or
# changed file is found and the folder built again, never used. A lock beside
# the folder, held while it is checked and built, keeps a second run from
# building it at the same time or taking it half-built; the second run waits,
# then finds it whole.
quorvel_cache=${XDG_CACHE_HOME:-$HOME/.cache}/quorvel

# What is built names its own path, so a folder moved from elsewhere is not whole.
cache_is_whole() { # folder
  [ -s "$1/MANIFEST" ] && [ "$(cat "$1/FOLDER" 2>/dev/null)" = "$1" ] &&
    (cd "$1" && sha256sum --check --quiet --strict MANIFEST >/dev/null 2>&1)
}

write_manifest() { # folder
  (cd "$1" && find . -type f ! -name 'MANIFEST*' -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum) \
    >"$1/MANIFEST.part"
  sync -f "$1/MANIFEST.part"
  mv "$1/MANIFEST.part" "$1/MANIFEST"
}

# Sets cached_folder to the whole folder for the key, calling "builder folder"
# to fill it when there is none. The folder is built where it is used.
use_cached_build() { # name key-text builder
  local name=$1 key_text=$2 builder=$3 key lock_fd status=0
  key=$(printf '%s' "$key_text" | sha256sum | cut -c1-16)
  cached_folder=$quorvel_cache/$name-$key
  mkdir -p "$quorvel_cache"
  exec {lock_fd}>"$cached_folder.lock"
  flock "$lock_fd"
  if cache_is_whole "$cached_folder"; then
    echo "Using the cached $name in $cached_folder"
  else
    [ -e "$cached_folder" ] && echo "The cached $name in $cached_folder is not whole: building it again"
    rm -rf "$cached_folder"
    mkdir -p "$cached_folder"
    printf '%s\n' "$key_text" >"$cached_folder/KEY"
    printf '%s\n' "$cached_folder" >"$cached_folder/FOLDER"
    { "$builder" "$cached_folder" && write_manifest "$cached_folder"; } || status=$?
  fi
  # Closed, not left to the programs this script starts next (Wine's server
  # outlives them), so that no run ever waits on a lock nobody works under.
  exec {lock_fd}>&-
  return "$status"
}
