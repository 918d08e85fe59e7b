#!/bin/sh
# Strips as Debian's packaging helpers do: the compiler's notes go too.
exec strip --remove-section=.comment --remove-section=.note "$@"
