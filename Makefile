# SPDX-License-Identifier: MIT
# make demo   installs what is missing, builds, and runs the gallery (a window where a display
#             exists, otherwise screenshots of every page into ./screenshots).
# make check  installs what is missing, checks the format of the sources, the layering of
#             the includes and that every text marked for translation has its English
#             translation, builds and runs all
#             tests, then the same tests under address and undefined-behaviour sanitizers,
#             then the threaded tests under ThreadSanitizer (make tsan), then each fuzz target
#             briefly. The gcc builds of make build and make asan treat warnings as errors
#             (the TSan build leaves that to them); the clang fuzz build only reports them,
#             since clang warns about other things.
# make tsan   builds the tests under ThreadSanitizer and runs those where a worker thread meets
#             the user-interface thread (picture box, icon box, TThread) a few times over; any
#             report fails it.

JOBS       ?= $(shell nproc)
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
TSAN_REPEAT ?= 3
FUZZ_SECONDS ?= 12
CMAKE_GEN  := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
LAUNCHER   := $(shell command -v ccache >/dev/null 2>&1 && echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")

FORMAT_DIRS := src tests bench fuzz designer examples docs/examples

# ccache finds the objects of an earlier checkout in another folder: paths below this one are
# hashed relative to it.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: demo check deps format format-check layers translations build test docs asan tsan fuzz bench clean

deps:
	bash scripts/install-deps.sh

format:
	find $(FORMAT_DIRS) -name '*.cpp' -o -name '*.h' | sort | xargs clang-format -i

format-check: deps
	find $(FORMAT_DIRS) -name '*.cpp' -o -name '*.h' | sort | xargs clang-format --dry-run --Werror

# Every #include must go down the library's floors (scripts/check-layers.py lists them).
layers:
	python3 scripts/check-layers.py

# Every text the sources mark for translation has a finished English translation in
# translations/jxtpack_en.ts (scripts/check-translations.py runs lupdate and compares).
translations: deps
	python3 scripts/check-translations.py

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DJXT_WERROR=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(BUILD)/examples/gallery/jxtgallery; \
	else \
		rm -rf screenshots; \
		QT_QPA_PLATFORM=offscreen $(BUILD)/examples/gallery/jxtgallery --screenshots screenshots; \
	fi

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The reference: HTML in build/docs/html and the Qt help file build/docs/jxtpack.qch. Doxygen
# treats every warning (an undocumented public member, a broken reference) as an error.
docs: build
	cmake --build $(BUILD) --target docs

asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug \
		-DJXT_SANITIZE=ON -DJXT_BUILD_GALLERY=OFF -DJXT_BUILD_BENCH=OFF -DJXT_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
		UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Debug keeps every frame in the reports. Only the two test programs are built; TSan exits
# with 66 when it reported anything, even with halt_on_error=0 (which lets one run show all).
TSAN_ENV := QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=0 second_deadlock_stack=1"
tsan: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug \
		-DCMAKE_CXX_FLAGS=-fsanitize=thread -DCMAKE_EXE_LINKER_FLAGS=-fsanitize=thread \
		-DCMAKE_SHARED_LINKER_FLAGS=-fsanitize=thread -DJXT_BUILD_DESIGNER=OFF \
		-DJXT_BUILD_BENCH=OFF -DJXT_BUILD_GALLERY=OFF -DJXT_BUILD_DOCS=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target controls_tests host_tests
	$(TSAN_ENV) $(TSAN_BUILD)/tests/controls_tests --gtest_repeat=$(TSAN_REPEAT) \
		--gtest_filter='PicBoxTest.*:JXIcoBox.*'
	$(TSAN_ENV) $(TSAN_BUILD)/tests/host_tests --gtest_repeat=$(TSAN_REPEAT) \
		--gtest_filter='Thread.*'

fuzz: deps
	CXX=clang++ CC=clang cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) $(LAUNCHER) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DJXT_BUILD_FUZZ=ON -DJXT_BUILD_TESTS=OFF \
		-DJXT_BUILD_GALLERY=OFF -DJXT_BUILD_BENCH=OFF -DJXT_BUILD_DOCS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD)/fuzz $(FUZZ_SECONDS)

# The idle measurement comes first, so the benchmarks' summary is the last thing printed.
bench: build
	sh scripts/measure-idle.sh $(BUILD) 10
	bash scripts/run-benchmarks.sh $(BUILD)/bench

check: format-check layers translations test docs asan tsan fuzz

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) screenshots
