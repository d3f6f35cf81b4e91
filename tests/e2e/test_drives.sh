#!/bin/sh
# Drives of the test prefix that a real machine may have, each a small
# tmpfs.  Mounting needs the right to mount; where it is missing, the
# scenarios that use these drives skip those steps.
#   F:  full: no room for any byte, with Proof holding an earlier engine.
#   G:  tight: room for a small file but not a large one, with Proof holding
#       an earlier installation of the speller and Other another product's
#       lexicon.
#   H:  full of files: no room for another file, holding a distribution.
#   R:  read-only, holding a distribution and an empty folder Proof.
#   test_drives.sh mount|unmount PREFIX FOLDER [SETUP_EXE]
set -u
action=$1
prefix=$2
folder=$3
DISTRIBUTION="Velmora Distribution"

mount_drive() { # LETTER NAME OPTIONS
    mkdir -p "$folder/$2"
    mount -t tmpfs -o "$3" "velmora-$2" "$folder/$2" 2>/dev/null || return 1
    mkdir -p "$prefix/dosdevices"
    ln -sfn "$folder/$2" "$prefix/dosdevices/$1:"
}

# Setup.exe beside the four payload files, each file's bytes its own.
make_distribution() { # FOLDER
    mkdir "$1"
    cp "$setup" "$1/Setup.exe"
    for name in MSPCR32.DLL MSSP_CR.LEX MSHYCR32.DLL MSHY_CR.LEX; do
        printf 'payload %s' "$name" >"$1/$name"
    done
}

unmount_all() {
    for letter in f g h r; do
        rm -f "$prefix/dosdevices/$letter:"
    done
    for drive in full tight files readonly; do
        while mountpoint -q "$folder/$drive"; do
            umount "$folder/$drive" || break
        done
        rmdir "$folder/$drive" 2>/dev/null
    done
    rmdir "$folder" 2>/dev/null
}

free_kb() { df -k "$1" | awk 'NR == 2 { print $4 }'; }

case $action in
mount)
    setup=$4
    # What a run that was cut short left behind.
    unmount_all
    if ! mount_drive f full size=64k; then
        echo "no file system can be mounted here: the scenarios on drives F:, G:, H: and R: are skipped"
        exit 0
    fi
    mkdir "$folder/full/Proof"
    # An earlier installation's engine, which a failed replacement must keep.
    printf 'an earlier engine' >"$folder/full/Proof/MSPCR32.DLL"
    # Fails once the disk is full, which is the point.
    dd if=/dev/zero of="$folder/full/filler" bs=1k count=128 2>/dev/null

    mount_drive g tight size=256k
    mkdir "$folder/tight/Proof" "$folder/tight/Other"
    printf 'an earlier engine' >"$folder/tight/Proof/MSPCR32.DLL"
    printf 'an earlier lexicon' >"$folder/tight/Proof/MSSP_CR.LEX"
    printf "another product's lexicon" >"$folder/tight/Other/MSSP_CR.LEX"
    dd if=/dev/zero of="$folder/tight/filler" bs=1k count=$(($(free_kb "$folder/tight") - 64)) \
        2>/dev/null

    mount_drive h files size=256k,nr_inodes=16
    make_distribution "$folder/files/$DISTRIBUTION"
    mkdir "$folder/files/Other"
    count=0
    while [ $count -lt 100 ] && (: >"$folder/files/Other/filler$count") 2>/dev/null; do
        count=$((count + 1))
    done

    mount_drive r readonly size=256k
    make_distribution "$folder/readonly/$DISTRIBUTION"
    mkdir "$folder/readonly/Proof"
    mount -o remount,ro "$folder/readonly"

    df -k --output=target,avail,iavail "$folder"/*
    ;;
unmount)
    unmount_all
    ;;
esac
exit 0
