# Paths shared by the project's scripts.
REPO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TAVRO_CACHE=${TAVRO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavro}
OPENCV_VERSION=4.6.0
OPENCV_PREFIX=$TAVRO_CACHE/opencv-$OPENCV_VERSION-mingw64
BUILD_DIR=${TAVRO_BUILD_DIR:-$REPO_ROOT/build}
