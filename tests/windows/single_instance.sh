#!/usr/bin/env bash
# The Windows build's single instance under Wine: a second copy is refused with "Application is
# already running" and ends; a copy ended hard leaves nothing that blocks the next start.
. "$(dirname "$0")/lib.sh"
program=$1
start_display
start_wine

start_program
check_single_instance
echo "1 passed, 0 failed"
