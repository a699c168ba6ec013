# make play   install what is missing, build, start the shipped game under Wine 10
#             (the x86_64 build under Wine 8 where the kernel runs no 32-bit code)
# make test   install what is missing, build everything, run every test
# make check  native build and native tests only (fast)

NATIVE := build/native
WIN32 := build/i686
WIN64 := build/x86_64
JOBS ?= 2
TEST_JOBS ?= 4
TOP := $(abspath .)

.PHONY: all bootstrap native i686 x86_64 windows wine-roots check test play play-console assets \
	soak bench static-analysis

all: native windows

bootstrap:
	@scripts/bootstrap

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug \
	  -DZENDARO_WIN32_DIR=$(TOP)/$(WIN32) -DZENDARO_WIN64_DIR=$(TOP)/$(WIN64) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

i686:
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

x86_64:
	@cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

windows: i686 x86_64

# The release: the i686 setup.exe, the Zendaro.exe it carries (the very file
# the build packed into it) and their SHA-256 sums. Builds are byte-identical,
# so anyone can run this on the same commit and compare SHA256SUMS.
# With SIGN_PKCS12=FILE (its password in the file SIGN_PASSWORD_FILE names)
# both programs are signed, the game before setup packs it, at the commit's
# time; make check-release SIGNED=dist then shows a signed release is this
# build with signatures added.
SIGN_PKCS12 ?=
SIGN_PASSWORD_FILE ?=
.PHONY: dist check-release
dist: bootstrap i686
	@rm -rf dist && mkdir dist
ifeq ($(SIGN_PKCS12),)
	@cp $(WIN32)/setup/setup.exe $(WIN32)/setup/setup-payload/Zendaro.exe dist/
	@cmp dist/Zendaro.exe $(WIN32)/game/win32/Zendaro.exe
else
	@scripts/sign-release $(WIN32) dist "$(SIGN_PKCS12)" "$(SIGN_PASSWORD_FILE)"
endif
	@cd dist && sha256sum setup.exe Zendaro.exe >SHA256SUMS
	@cat dist/SHA256SUMS

check-release: bootstrap native i686
	@[ -n "$(SIGNED)" ] || { echo "usage: make check-release SIGNED=FOLDER" >&2; exit 2; }
	@scripts/check-release $(WIN32) $(NATIVE) "$(SIGNED)"

# The roots the Wine tests run in, made once (a minute or two each), before
# the tests rather than inside the first one: Wine 10's always (it runs the
# i686 programs, and the heard-sound check), the emulated Wine's only where
# the kernel runs no 32-bit code (scripts/probe32). The emulated tests'
# prefixes, whose making takes minutes, are made by the test that comes
# first among them (wine_prefixes.wine8emu), beside the other tests.
wine-roots: native
	@scripts/wine-root 10 >/dev/null
	@scripts/probe32 >/dev/null || scripts/wine-root 8emu >/dev/null

check: bootstrap native
	@ctest --test-dir $(NATIVE) -LE 'wine|windows|static' --output-on-failure -j $(JOBS)

# Every test, JOBS at a time (scripts/test: a failed Wine test is run once
# more and named if that saved it). Where the kernel runs no 32-bit code the
# probe says why, once; the wine32 tests are then skipped and the wine32emu
# ones run the same programs under emulation.
test: bootstrap native windows wine-roots
	@scripts/probe32 | sed 's/^/test: /; s/$$/: the wine32 tests are skipped, the wine32emu ones run/'
	@JOBS=$(TEST_JOBS) scripts/test $(NATIVE)

play-console: bootstrap native
	@$(NATIVE)/tools/console/zendaro-console

play: bootstrap windows
	@scripts/play

# Regenerates every picture, icon, sound and text in place, and the contact sheet.
assets: bootstrap
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug \
	  -DZENDARO_WIN32_DIR=$(TOP)/$(WIN32) -DZENDARO_WIN64_DIR=$(TOP)/$(WIN64) >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) --target zendaro-assetgen
	@$(NATIVE)/tools/zendaro-assetgen $(TOP) --sheet $(TOP)/build/assets-sheet.png

# 100,000 random games under the sanitizers, then 20 monkey runs and one
# of 20 minutes on the real window of the i686 game under Wine 10 (the
# x86_64 one where the kernel runs no 32-bit code); prints the counts and
# the game's memory, which must not grow.
soak: bootstrap native windows
	@JOBS=$(JOBS) scripts/soak $(NATIVE) $(WIN32) $(WIN64)

# The figures against their baselines, side by side (timings: not a test).
bench: bootstrap windows
	@JOBS=$(JOBS) scripts/bench $(WIN32) $(WIN64)

# cppcheck and clang-tidy over the native and the Windows code.
static-analysis: bootstrap native x86_64
	@JOBS=$(JOBS) scripts/static-analysis native $(NATIVE)
	@JOBS=$(JOBS) scripts/static-analysis windows $(WIN64)
