# The two set-up commands: `make run` and `make test` (see README.md).
BUILD      ?= build
BUILD_ASAN ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

# Where `make install` puts the program for the current user.
PREFIX     ?= $(HOME)/.local/share/dalvire
BINDIR     ?= $(HOME)/.local/bin

# Where `make paquet` builds the Debian package, from a clean copy of the tree.
PAQUET     ?= $(BUILD)-paquet

.PHONY: deps build run test test-asan bench clean install uninstall paquet test-paquet

deps:
	@scripts/installer-dependances.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd $(BUILD)/app && ./dalvire

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(BUILD_ASAN) $(CMAKE_ARGS) -DDALVIRE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS) -LE "e2e|fuzz"

bench: build
	cmake --build $(BUILD) --target benchmarks
	@for b in $(BUILD)/bench/*/bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; "$$b"; fi; done

# The application folder to PREFIX (the catalogue only where none exists), a desktop
# entry in the applications menu, the `dalvire` command in BINDIR.
install: build
	scripts/installer.sh installer "$(BUILD)/app" "$(BUILD)/catalogue-vierge/donnees.fdl" "$(PREFIX)" "$(BINDIR)"

# Removes what install wrote; the catalogue and the settings stay.
uninstall:
	scripts/installer.sh desinstaller "$(PREFIX)" "$(BINDIR)"

# dalvire_<version>_<arch>.deb (and its -dbgsym package) in PAQUET, by Debian's tools.
paquet: deps
	scripts/construire-paquet.sh "$(PAQUET)" $(JOBS)

# Builds the package and checks it: lintian, the desktop files, its layout; as root, also
# installs it for real, starts it, upgrades it and removes it.
test-paquet: deps
	tests/paquet/test_paquet.sh "$(PAQUET)" $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(PAQUET)
