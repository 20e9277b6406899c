# Convenience targets around CMake; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
# ccache, when the machine has it, makes rebuilds in several checkouts cheap.
LAUNCHER := $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

FUZZ_SECONDS ?= 60

.PHONY: all configure build run demo test sound-test asan bench fuzz clean format format-check deb tidy docs

all: build

# WERROR=ON turns every compiler warning into an error (CI builds so).
WERROR ?= OFF

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLECTORIUM_WERROR=$(WERROR) $(LAUNCHER)

configure: $(BUILD)/CMakeCache.txt

# The moc step of a target does not notice a header that was added since its
# last run; removing its stamps makes it look again (it keeps its cache).
build: configure
	find $(BUILD) -path '*_autogen/timestamp' -delete
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/lectorium

# A short book of our own, from its FictionBook file to tagged MP3 files,
# in a program folder of its own inside the build tree.
demo: build
	rm -rf $(BUILD)/demo
	$(BUILD)/bin/lectorium-cli --program-folder $(BUILD)/demo convert data/Demo/demo-book.fb2 --title "Демонстрация" \
		--output $(BUILD)/demo/Audiobooks
	@echo "MP3 files: $(BUILD)/demo/Audiobooks/Демонстрация"

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The tests that speak aloud once more, against a private sound server
# (PulseAudio with a null sink, see scripts/sound-server) instead of the
# silent sink: the sound the device plays is recorded from its monitor and
# checked. The server is stopped afterwards.
sound-test: build
	scripts/sound-server run ctest --test-dir $(BUILD) --output-on-failure -R '^(sound|reader)$$'
	scripts/sound-server run env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 $(BUILD)/bin/test_ui --gtest_brief=1 --gtest_filter='ReaderWindow*:ReaderSound*'

asan:
	cmake -S . -B build-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DLECTORIUM_SANITIZE=ON $(LAUNCHER)
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

# Each harness runs FUZZ_SECONDS on a working copy of its seeds.
fuzz:
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLECTORIUM_FUZZ=ON $(LAUNCHER)
	cmake --build build-fuzz --target fuzzers -j $(JOBS)
	@set -e; for h in build-fuzz/bin/fuzz_*; do \
	  name=$${h##*/fuzz_}; work=build-fuzz/corpus/$$name; mkdir -p $$work; \
	  cp -n fuzz/corpus/$$name/* $$work/ 2>/dev/null || true; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  if ! $$h -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 $$work > $$work.log 2>&1; then \
	    tail -40 $$work.log; exit 1; fi; \
	  grep -E '^Done' $$work.log; \
	done

# The user guide's pictures, taken from the real windows with the demo book
# (data/Doc/guide/images); run again when a window changes.
docs: build
	cmake --build $(BUILD) -j $(JOBS) --target guide_screenshots
	scripts/guide-screenshots $(BUILD)

# A Debian package of the program for users: lectorium_VERSION_ARCH.deb in
# the build folder (CPack; dependencies from dpkg-shlibdeps).
deb: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/lectorium_*.deb

# clang-tidy's checks of .clang-tidy on the C++ sources changed since
# TIDY_BASE (a commit; every source file when it is empty), with the
# compile commands of $(BUILD).
TIDY_BASE ?= HEAD~1
tidy: configure
	@files=$$(if [ -n "$(TIDY_BASE)" ]; then git diff --name-only --diff-filter=d $(TIDY_BASE) -- 'src/*.cpp' 'tests/*.cpp'; \
	          else git ls-files 'src/*.cpp' 'tests/*.cpp'; fi); \
	if [ -z "$$files" ]; then echo "tidy: no changed source files"; exit 0; fi; \
	echo "tidy: $$(echo $$files | wc -w) files"; \
	echo $$files | xargs -n 1 -P $(JOBS) clang-tidy -p $(BUILD) --quiet

# Every C++ file of the project in the house style (.clang-format).
CXX_FILES = git ls-files '*.cpp' '*.h'
format:
	$(CXX_FILES) | xargs clang-format -i

format-check:
	$(CXX_FILES) | xargs clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) build-asan build-fuzz
