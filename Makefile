# Convenience targets around CMake; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")

.PHONY: all configure build run test asan bench clean

all: build

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/CMakeCache.txt

# The moc step of a target does not notice a header that was added since its
# last run; removing its stamps makes it look again (it keeps its cache).
build: configure
	find $(BUILD) -path '*_autogen/timestamp' -delete
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/lectorium

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

asan:
	cmake -S . -B build-asan -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DLECTORIUM_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD) build-asan
