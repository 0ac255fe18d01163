// A libFuzzer target's entry, exported for node: the web tests run the counters' fuzz targets
// inside WebAssembly, with its kernels, over the corpora and mutations of them. A broken property
// prints its name (fuzz/require.hpp) and ends the call with a trap.
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

extern "C" {

__attribute__((export_name("fuzz_alloc"))) void* fuzz_alloc(std::size_t size) {
    return std::malloc(size == 0 ? 1 : size);
}

__attribute__((export_name("fuzz_free"))) void fuzz_free(void* block) {
    std::free(block);
}

__attribute__((export_name("fuzz_one"))) int fuzz_one(const std::uint8_t* data, std::size_t size) {
    return LLVMFuzzerTestOneInput(data, size);
}

}  // extern "C"
