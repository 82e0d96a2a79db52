# Paxelo备忘录: make run | make test | make bench | make fuzz | make test-windows
# SANITIZE=1 builds with AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

ifeq ($(SANITIZE),1)
BUILD ?= build-sanitize
CMAKE_OPTIONS += -DPAXELO_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
else
BUILD ?= build
CMAKE_OPTIONS += -DCMAKE_BUILD_TYPE=RelWithDebInfo
endif

APP_DIR := $(BUILD)/app

# Everything the build, the program and its tests need on Debian 12.
PACKAGES := cmake ninja-build g++ make pkg-config \
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev qt6-webengine-dev \
  libjpeg62-turbo-dev libgif-dev libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas dconf-gsettings-backend \
  mate-desktop-common cinnamon-desktop-data \
  qt6-translations-l10n fonts-noto-cjk fonts-liberation xvfb xauth x11-utils imagemagick sqlite3 libgtest-dev
PACKAGES += fonts-dejavu-core  # the tests' own fonts, with fonts-noto-cjk and fonts-liberation
PACKAGES += xdotool x11-xserver-utils  # the end-to-end test types into the program on an X server of its own (xvfb); xmodmap gives the Chinese characters keys
PACKAGES += libpng-dev libwebp-dev  # PNG and WebP pictures added to the background list
BENCH_PACKAGES := libbenchmark-dev
FUZZ_PACKAGES := clang libclang-rt-14-dev
WINDOWS_PACKAGES := mingw-w64 wine wine64
PACKAGES += desktop-file-utils appstream man-db  # the install test validates the desktop entry, the metainfo and both manual pages
PACKAGE_PACKAGES := dpkg-dev lintian  # make package: dpkg-shlibdeps computes Depends, lintian checks the .deb
PREFIX ?= /usr/local
BENCH_PACKAGES += libx11-dev  # bench/startup_probe watches the windows being mapped
DESKTOP_PACKAGES := xfdesktop4 xfconf pcmanfm-qt feh dbus  # make test-desktops, without their recommends (a whole session)

.PHONY: all deps build run test bench fuzz test-windows clean

all: build

# Installs only what is missing; apt-get update runs once, before installing.
# $(2): further options for apt-get install.
define install_missing
	@missing=""; for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $(2) $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_OPTIONS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: starting Paxelo备忘录 under xvfb-run (a virtual X display)."; \
	  export XDG_RUNTIME_DIR=$${XDG_RUNTIME_DIR:-/tmp/runtime-$$(id -un)}; mkdir -p -m 0700 "$$XDG_RUNTIME_DIR"; \
	  cd / && DBUS_SESSION_BUS_ADDRESS=$${DBUS_SESSION_BUS_ADDRESS:-disabled:} QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu xvfb-run -a -s "-screen 0 1024x768x24" "$(abspath $(APP_DIR))/paxelo-memo"; \
	else \
	  cd / && "$(abspath $(APP_DIR))/paxelo-memo"; \
	fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	$(call install_missing,$(BENCH_PACKAGES))
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPAXELO_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target benchmarks
	@set -e; for b in build-bench/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen "$$b"; fi; \
	done
	bench/startup.sh build-bench 5

FUZZ_SECONDS ?= 60
fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAXELO_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzzers
	@set -e; for f in build-fuzz/fuzz/fuzz_*; do \
	  [ -f "$$f" ] && [ -x "$$f" ] || continue; name=$$(basename $$f); \
	  mkdir -p build-fuzz/corpus/$$name; \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  "$$f" -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 -timeout=10 \
	    build-fuzz/corpus/$$name fuzz/seeds/$${name#fuzz_}; \
	done

test-windows: deps
	$(call install_missing,$(WINDOWS_PACKAGES))
	$(MAKE) -C platform/windows/test

.PHONY: install package

# make install [PREFIX=/usr/local] [DESTDIR=staging folder]
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# Two .debs for Debian 12 in $(BUILD)/: paxelo-memo, the program, and
# paxelo-memo-web, the browser engine's module. Their control data is checked,
# then lintian checks both: an error or a warning fails the target.
package: build
	$(call install_missing,$(PACKAGE_PACKAGES))
	cd $(BUILD) && rm -f paxelo-memo_*.deb paxelo-memo-web_*.deb && cpack -G DEB
	tests/install/check_package.sh $(BUILD)
	lintian --info --tag-display-limit 0 --fail-on error,warning $(BUILD)/paxelo-memo_*.deb $(BUILD)/paxelo-memo-web_*.deb

# The wallpaper set through the program's own code on xfdesktop, pcmanfm-qt
# and feh under Xvfb, read back from the screen, and the notes composed for
# the screen on xfdesktop at 1920x1080 and 1024x768; screenshots in
# $(BUILD)/test-desktops/.
.PHONY: test-desktops
test-desktops: deps $(BUILD)/build.ninja
	$(call install_missing,$(DESKTOP_PACKAGES),--no-install-recommends)
	cmake --build $(BUILD) -j $(JOBS) --target setwallpaper composewallpaper
	bash tests/platform/desktops/run.sh $(BUILD)/tests/platform/setwallpaper $(BUILD)/tests/platform/composewallpaper \
		$(BUILD)/test-desktops

clean:
	rm -rf build build-sanitize build-bench build-fuzz
