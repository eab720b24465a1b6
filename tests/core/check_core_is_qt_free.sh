#!/bin/sh
# Fails when any file of the core includes a Qt header or a header of the front end.
core_dir=$1
hits=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](Q[A-Za-z]|qt|app/|\.\./app)' "$core_dir")
if [ -n "$hits" ]; then
    echo "the core includes Qt or front-end headers:"
    echo "$hits"
    exit 1
fi
grep -rqE 'Qt6|Qt::' "$core_dir" --include=CMakeLists.txt && {
    echo "a core CMakeLists.txt links Qt"
    exit 1
}
exit 0
