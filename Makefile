# The two commands for a fresh machine, and a few more for developers.
.PHONY: bootstrap build demo test sanitize fuzz bench format screenshots windows windows-test \
        win32-screenshots clean

bootstrap:
	@scripts/bootstrap

build: bootstrap
	@cmake --preset default >/dev/null
	@cmake --build --preset default

# Runs the demo job end to end on the bundled example data.
demo: build
	@scripts/demo

# Configures, builds and runs every test through CTest.
test: build
	@ctest --preset default

# The same suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: bootstrap
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize

# Every libFuzzer target for FUZZ_SECONDS seconds (default 60).
fuzz: bootstrap
	@scripts/fuzz $(FUZZ_SECONDS)

# A PNG of every dialog as the desktop backend shows it (Qt's offscreen platform), in
# build/screenshots/.
screenshots: bootstrap
	@cmake --preset default >/dev/null
	@cmake --build --preset default --target dialog_screenshots
	@QT_QPA_PLATFORM=offscreen build/bin/dialog_screenshots build/screenshots

# The deliverables, the stand-in host and the tests built for Windows (MinGW-w64), in
# build-windows/bin.
windows: bootstrap
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

# The Windows build's tests and the demo job under Wine; the demo's program file is compared
# with this machine's.
windows-test: windows demo
	@scripts/windows-test

# The main dialog and the height review as native dialogs of the Windows build under Wine, in
# docs/images/win32-*.png.
win32-screenshots: bootstrap
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target win32_screenshots
	@scripts/win32-screenshots

bench: build
	@scripts/bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build build-sanitize build-fuzz build-windows
