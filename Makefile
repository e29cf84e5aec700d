# Tovix: build, test and benchmark. Everything runs under Wine in a prefix inside the build folder.
BUILD   ?= build
BUILD32 ?= build-i686
JOBS    ?= $(shell nproc)
MAKEFLAGS += --no-print-directory

PACKAGES := cmake make googletest g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine wine64 xvfb x11-utils imagemagick

CONFIGURE_FLAGS := -DCMAKE_BUILD_TYPE=Release -DTOVIX_WARNINGS_AS_ERRORS=ON

.PHONY: all deps build build64 build32 test bench fuzz demo demo-pictures designer clean

all: build

deps:
	@tools/install-deps.sh $(PACKAGES)

build64: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build32: deps
	@cmake -S . -B $(BUILD32) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-i686.cmake $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build $(BUILD32) -j $(JOBS)

# The 32-bit build is compiled only; this machine cannot run 32-bit programs.
build: build64 build32

# Wine's shell folder tree now and then ignores a folder selection asked for while its dialog is
# open, which the folder-dialog tests depend on: a test program that fails runs once more, and a
# failure that repeats fails the run.
test: build
	@tools/wine-session.sh $(BUILD) ctest --test-dir $(BUILD) --output-on-failure --repeat until-pass:2

bench: build64
	@tools/wine-session.sh $(BUILD) tools/run-benchmarks.sh $(BUILD)

# The fuzz suites of `make test` with fifty times their inputs (FUZZ_SCALE=n for another number).
FUZZ_SCALE ?= 50
fuzz: build64
	@tools/wine-session.sh $(BUILD) tools/run-fuzz.sh $(BUILD) $(FUZZ_SCALE)

# The demo in a Wine prefix of its own that draws for real: its window on $$DISPLAY, or, without a
# display, pictures of its pages in $(BUILD)/demo-shots.
demo: build64
	@tools/wine-display.sh $(BUILD) demo-prefix tools/run-demo.sh $(BUILD)

# The README's pictures (docs/demo), taken on a virtual display whether or not there is a screen.
demo-pictures: build64
	@env -u DISPLAY tools/wine-display.sh $(BUILD) demo-prefix tools/run-demo.sh $(BUILD)
	@mkdir -p docs/demo && rm -f docs/demo/*.png && cp $(BUILD)/demo-shots/*.png docs/demo/
	@echo "docs/demo updated"

# The form designer with the Tovix package; without a display it writes pictures to $(BUILD) and exits.
designer: deps
	@cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake $(CONFIGURE_FLAGS) >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target TovixDesigner
	@tools/run-designer.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD32)
