#!/usr/bin/env bash
# Runs a cross-built program under Wine (the loader wine-env.sh chose) and
# hands back its exit status.
exec "${WINE:-wine}" "$@"
