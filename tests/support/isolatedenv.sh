# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the test scripts: the shell's twin of isolatedenv.h, with the same layout.
#   isolate_home FOLDER   exports HOME and every XDG folder of the user's own inside FOLDER
#                         (the settings in FOLDER itself), makes them, and keeps the runtime
#                         folder private. A program started afterwards touches nothing of
#                         the real user's.
isolate_home() {
    local root
    root=$(realpath -m "$1")
    export XDG_CONFIG_HOME=$root XDG_STATE_HOME=$root/state XDG_DATA_HOME=$root/data \
        XDG_CACHE_HOME=$root/cache HOME=$root/home XDG_RUNTIME_DIR=$root/runtime
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_STATE_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$HOME" \
        "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}
