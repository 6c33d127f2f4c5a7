#!/bin/sh
# The strip cpack runs on the packaged program: symbols and the compiler's .comment notes go.
exec strip --remove-section=.comment --remove-section=.note "$@"
