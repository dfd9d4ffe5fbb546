#!/bin/sh
# Regenerates the sample images in images/ with snp300-make-image.
# Usage: make-sample-images.sh <build dir>    (e.g. build)
# The images are test data for the local firmware server: Intel HEX with
# 16-byte data records (43 characters a line) and the end-of-file record.
# Application images end lines in LF, bootloader images in CR LF.
set -e
tool="$1/bin/snp300-make-image"
here=$(dirname "$0")/images
"$tool" --lines 300 --seed 129 "$here/snp300_1_2_9.quenmarksnpfmr"
"$tool" --lines 320 --seed 130 "$here/snp300_1_3_0.quenmarksnpfmr"
"$tool" --lines 200 --seed 1014 --crlf "$here/snp300_1_0_14.quenmarksnpbtl"
"$tool" --lines 220 --seed 1015 --crlf "$here/snp300_1_0_15.quenmarksnpbtl"
