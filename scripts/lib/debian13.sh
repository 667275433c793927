# A Debian 13 (trixie) root made with debootstrap, and commands run in it:
# .ci/debian13 proves the Linux build in a fresh one, and on a Debian 12 host
# scripts/windows builds and tests tallivox.exe in one kept in its cache.
# Sourced after packages.sh; every function needs root.

# What a root is made from: a change here makes kept roots stale.
debian13_recipe() { declare -f debian13_make; }

# debian13_make ROOT: a minimal trixie whose apt reads and builds from all
# three of its suites (debootstrap writes only the first), in which no
# package may start a daemon.
debian13_make() {
    local root=$1 archive=http://deb.debian.org/debian suite
    if ! timeout 1800 debootstrap --variant=minbase trixie "$root" "$archive" >"$root.log" 2>&1; then
        tail -n 30 "$root.log" >&2
        echo "debian13: debootstrap into $root failed" >&2
        return 1
    fi
    # mktemp and umask may leave it private to root; the tests run a
    # compositor and Wine as other users, who must reach the programs.
    chmod 755 "$root"
    for suite in "$archive trixie" "$archive trixie-updates" "${archive}-security trixie-security"; do
        printf 'deb %s main\ndeb-src %s main\n' "$suite" "$suite"
    done >"$root/etc/apt/sources.list"
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    # The certificate authorities this machine's administrator added (a
    # proxy's, say) hold in the root too, once ca-certificates is installed.
    mkdir -p "$root/usr/local/share/ca-certificates"
    [ ! -d /usr/local/share/ca-certificates ] || cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
}

# Our mounts below ROOT, deepest first.
debian13_mounts() {
    awk -v r="$1/" 'index($2 "/", r) == 1 { print $2 }' /proc/self/mounts | sort -r
}

# debian13_mount ROOT [FOLDER]...: the kernel's file systems, the host's
# device nodes with a private devpts and /dev/shm (nothing mounted in the
# root shows up in the host's /dev), and each FOLDER at its own path.
debian13_mount() {
    local root=$1 folder
    mount -t proc proc "$root/proc"
    mount -t sysfs -o ro sysfs "$root/sys"
    mount --bind /dev "$root/dev"
    mount --make-private "$root/dev"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$root/dev/pts"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
    for folder in "${@:2}"; do
        mkdir -p "$root$folder"
        mount --bind "$folder" "$root$folder"
    done
}

# debian13_unmount ROOT: ends whatever still runs in the root (a daemon, a
# test outliving its timeout would keep the mounts busy), then unmounts.
# Fails, saying what stays, if anything is still mounted.
debian13_unmount() {
    local root=$1 pid mount
    for pid in /proc/[0-9]*; do
        [ "$(readlink "$pid/root" 2>/dev/null)" != "$root" ] || kill -9 "${pid#/proc/}" 2>/dev/null || true
    done
    for mount in $(debian13_mounts "$root"); do
        umount "$mount" 2>/dev/null || umount --lazy "$mount" || true
    done
    [ -z "$(debian13_mounts "$root")" ] || { echo "debian13: still mounted:" $(debian13_mounts "$root") >&2; return 1; }
}

# debian13_remove ROOT: the root and its log gone, never across a mount.
debian13_remove() {
    debian13_unmount "$1" && rm -rf --one-file-system "$1" "$1.log"
}

# debian13_run ROOT FOLDER [NAME=VALUE]... COMMAND [ARGUMENT]...: COMMAND in
# FOLDER of the root, with only the environment named; DEBIAN13_USER (uid:gid)
# runs it as that user. Waited for in the background, so that a signal stops
# the caller at once rather than when the command ends.
debian13_run() {
    local root=$1 folder=$2
    shift 2
    timeout --kill-after=30 7200 chroot ${DEBIAN13_USER:+--userspec="$DEBIAN13_USER"} "$root" /usr/bin/env -i \
        HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
        bash -c 'cd "$0" && exec env "$@"' "$folder" "$@" </dev/null &
    wait $!
}
