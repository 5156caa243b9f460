#!/usr/bin/env bash
# Runs a cross-built program under Wine and hands back its exit status.
exec wine "$@"
