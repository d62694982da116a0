# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CLI = $(BUILD_DIR)/cli/varnholt-cli

.PHONY: all setup build run test sanitize clean

all: build

setup:
	@scripts/bootstrap

build: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@cmake --build $(BUILD_DIR)

# Until the desktop window exists, shows the project tree and the syntax check of
# FILE (or of a new project).
run: build
ifdef FILE
	@$(CLI) tree "$(FILE)"; $(CLI) verify "$(FILE)"; true
else
	@$(CLI) tree
endif

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test BUILD_DIR=build-sanitize BUILD_TYPE=sanitize

clean:
	rm -rf build build-sanitize
