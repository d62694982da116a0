# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
APP = $(BUILD_DIR)/app/varnholt

.PHONY: all setup build run test sanitize package fuzz clean

all: build

setup:
	@scripts/bootstrap

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD_DIR)

# Starts the desktop program with FILE, or with a new project.
run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "No display to show the window on; try: xvfb-run -a make run$(if $(FILE), FILE=$(FILE))" >&2; exit 1; fi
	@$(APP) $(if $(FILE),"$(FILE)")

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# A Debian package of the programs: $(BUILD_DIR)/varnholt_VERSION_ARCH.deb, for
# `apt install ./varnholt_*.deb`.
package: build
	@cd $(BUILD_DIR) && cpack -G DEB >/dev/null && ls $(CURDIR)/$(BUILD_DIR)/varnholt_*.deb

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test BUILD_DIR=build-sanitize BUILD_TYPE=sanitize

# A libFuzzer target under clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of its own. FUZZ_TARGET picks it: open (open, verify and save a
# file; the default), members, script or add-ied. Each target has its corpus in
# $(FUZZ_DIR)/corpus[-TARGET]/ and its findings in $(FUZZ_DIR)/findings[-TARGET]/.
FUZZ_DIR ?= build-fuzz
FUZZ_TARGET ?= open
FUZZ_SECONDS ?= 600
FUZZ_JOBS ?= 1
FUZZ_FLAGS ?=
FUZZ_RUN = $(abspath $(FUZZ_DIR))
FUZZ_SUFFIX = $(if $(filter open,$(FUZZ_TARGET)),,-$(FUZZ_TARGET))
FUZZ_BINARY = varnholt_fuzz$(subst -,_,$(FUZZ_SUFFIX))
FUZZ_DICT = $(if $(FUZZ_SUFFIX),$(FUZZ_RUN)/$(FUZZ_TARGET).dict,$(CURDIR)/fuzz/scl.dict)
fuzz: setup
	@case "$(FUZZ_TARGET)" in open|members|script|add-ied) ;; \
	  *) echo "FUZZ_TARGET is one of open, members, script, add-ied" >&2; exit 2 ;; esac
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang and its libFuzzer runtime (Debian: clang)" >&2; exit 1; }
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVARNHOLT_FUZZ=ON -DVARNHOLT_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) --target $(FUZZ_BINARY)
	@fuzz/seed_corpus.sh $(FUZZ_RUN)/corpus$(FUZZ_SUFFIX) $(FUZZ_TARGET)
	@mkdir -p $(FUZZ_RUN)/findings$(FUZZ_SUFFIX)
	@$(if $(FUZZ_SUFFIX),cat fuzz/scl.dict fuzz/$(FUZZ_TARGET).dict >$(FUZZ_DICT))
	@cd $(FUZZ_RUN) && ./fuzz/$(FUZZ_BINARY) -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=30 \
	  -dict=$(FUZZ_DICT) -artifact_prefix=$(FUZZ_RUN)/findings$(FUZZ_SUFFIX)/ -print_final_stats=1 \
	  $(if $(filter-out 1,$(FUZZ_JOBS)),-jobs=$(FUZZ_JOBS) -workers=$(FUZZ_JOBS)) $(FUZZ_FLAGS) $(FUZZ_RUN)/corpus$(FUZZ_SUFFIX)

clean:
	rm -rf build build-sanitize
