# Sourced by the package tests: builds the Debian package of the build folder $1 (the
# `package` target) and sets build, version and deb, or ends the test as failed, with the
# build's output, when there is no package.
build="$(cd "$1" && pwd)"
package_log="$(mktemp)"
if ! cmake --build "$build" --target package >"$package_log" 2>&1; then
    cat "$package_log"
    rm -f "$package_log"
    echo "FAILED: cmake --build $build --target package"
    exit 1
fi
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
deb="$build/orvalen-terminal_${version}_amd64.deb"
if [ ! -f "$deb" ]; then
    cat "$package_log"
    rm -f "$package_log"
    echo "FAILED: no $deb after building the package"
    exit 1
fi
rm -f "$package_log"
