# The two commands of the project: `make test` and `make demo`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: all setup configure build test demo clean

all: build

setup:
	@bash scripts/setup

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: setup $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

demo: build
	mkdir -p $(BUILD)/demo
	rm -f $(BUILD)/demo/sample.vqr $(BUILD)/demo/sample.vqr-* $(BUILD)/demo/sample.vqr.genlog
	$(BUILD)/tools/vqsrepo sample $(BUILD)/demo/sample.vqr
	VQ_COM_REGISTRY=$(abspath $(BUILD))/demo/com-registry.ini $(BUILD)/host/vqshost \
	    --repo $(BUILD)/demo/sample.vqr --ini $(BUILD)/demo/vqsys.ini --script host/demo.vqs

clean:
	rm -rf $(BUILD)
