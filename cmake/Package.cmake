# `cpack -G DEB` (run by `./build.sh package`) turns the install of cmake/Install.cmake into a
# Debian package: quillsum_<version>_<arch>.deb, installed under /usr. The libraries the
# binaries link are found by dpkg-shlibdeps; what the program loads only at run time (the
# speech engine and its Japanese voice, the sound library, a font with Japanese glyphs) is
# named here. The package build configures with CMAKE_INSTALL_LIBDIR=lib so that the program
# folder is /usr/lib/quillsum.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillsum)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Quillsum developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quillsum developers <quillsum@example.jp>")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://quillsum.example.jp/)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/data/deb/postrm)
# What only the package has: lintian's overrides.
set(CPACK_INSTALLED_DIRECTORIES
    ${PROJECT_SOURCE_DIR}/data/deb/lintian-overrides usr/share/lintian/overrides)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libespeak-ng1, espeak-ng-data, libpulse0, fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
# Qt's SVG reader draws the window icon when the icon theme has none of the installed PNGs.
# The desktop's speech service, which screen readers share, is an output the settings dialog
# offers (libspeechd is loaded at run time); without it the program speaks with its own voice.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "pulseaudio | pipewire-pulse, speech-dispatcher, speech-dispatcher-espeak-ng, libspeechd2, qt6-translations-l10n, qt6-wayland, libqt6svg6")
# The first line is the synopsis; CPack indents the rest and writes " ." for the blank lines.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "talking desktop calculator with a sheet of lines
Quillsum is a desktop calculator like a paper tape adding machine that
talks, with a Japanese user interface. Every line of its sheet is an
expression in a small BASIC-like language or a tape entry (+ 5, * 3,
- 30); each line's result is shown beside it and the total below.
Arithmetic is exact 28-digit decimal, dates and times add up, results
are grouped by three or four digits or with 万, 億 and 兆, and they are
read aloud in Japanese. quillsum-calc runs the same calculation on a
sheet file without a window, and quillsum --pdf prints a sheet into a PDF.

Quillsum は、紙のテープ電卓のように使える、しゃべる
デスクトップ計算機です。計算部に 1 行に 1 つずつ式や数値を
書くと、各行の結果を右側に、合計を下に表示します。28 桁までの
正確な 10 進演算で、日付や時刻も足し算でき、結果を日本語で
読み上げます。")

include(CPack)
