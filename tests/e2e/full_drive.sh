#!/bin/sh
# Drive F: of the test prefix as a full disk: a 64 KB file system, filled up,
# with a folder Proof on it that holds an earlier installation's engine.  Mounting needs the right to mount; where
# it is missing the scenario that uses the drive is skipped.
#   full_drive.sh mount|unmount PREFIX FOLDER
set -u
action=$1
prefix=$2
folder=$3
case $action in
mount)
    mkdir -p "$folder"
    if ! mount -t tmpfs -o size=64k velmora-full "$folder" 2>/dev/null; then
        echo "no file system can be mounted here: the full-drive scenario is skipped"
        exit 0
    fi
    mkdir "$folder/Proof"
    # An earlier installation's engine, which a failed replacement must keep.
    printf 'an earlier engine' >"$folder/Proof/MSPCR32.DLL"
    # Fails once the disk is full, which is the point.
    dd if=/dev/zero of="$folder/filler" bs=1k count=128 2>/dev/null
    mkdir -p "$prefix/dosdevices"
    ln -sfn "$folder" "$prefix/dosdevices/f:"
    echo "drive F: has $(df -k "$folder" | awk 'NR == 2 { print $4 }') KB free"
    ;;
unmount)
    rm -f "$prefix/dosdevices/f:"
    if mountpoint -q "$folder"; then
        umount "$folder"
    fi
    rmdir "$folder" 2>/dev/null
    ;;
esac
exit 0
