# Gives the programs a private runtime folder (XDG_RUNTIME_DIR, mode 0700) where the session has
# none, as in a root shell, over ssh or in a container: without one Qt warns on every start of
# a program and of every test program. A folder that exists but is not private is not used.
# Source it.

runtime_dir_usable() {
  [[ -n $1 && -d $1 && -O $1 && $(stat -c %a "$1") == 700 ]]
}

if ! runtime_dir_usable "${XDG_RUNTIME_DIR:-}"; then
  corvane_runtime_dir=${TMPDIR:-/tmp}/corvane-runtime-$(id -u)
  mkdir -p -m 0700 "$corvane_runtime_dir" 2>/dev/null || true
  if ! runtime_dir_usable "$corvane_runtime_dir"; then
    # Someone else's folder of that name, or one with other rights: a fresh one of our own.
    corvane_runtime_dir=$(mktemp -d "${TMPDIR:-/tmp}/corvane-runtime-XXXXXX")
  fi
  export XDG_RUNTIME_DIR=$corvane_runtime_dir
  unset corvane_runtime_dir
fi
