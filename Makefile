# The two commands of the README: `make run` and `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
APP = $(BUILD_DIR)/app/varnholt

.PHONY: all setup build run test sanitize clean

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

# The tests under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize:
	@$(MAKE) --no-print-directory test BUILD_DIR=build-sanitize BUILD_TYPE=sanitize

clean:
	rm -rf build build-sanitize
