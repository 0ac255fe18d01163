// The primitives of vector_kernel.hpp for an instruction set with 16-byte registers: 32 bytes
// as two halves, the low one first, each operation made of H's on each half. H gives the 16-byte
// register V and its Load, Mask (16 bits), Equal, Greater (signed), And, Or, Splat and the
// table Lookup.
//
// Like vector_kernel.hpp, included inside a kernel's own namespace and target (sse42_kernel.cpp,
// wasm_simd_kernel.cpp), so that each kernel gets its own copy for its own instructions.

template <class H>
struct TwoHalves {
    struct Bytes {
        typename H::V lo;
        typename H::V hi;
    };
    using Table = typename H::V;

    static Bytes Load(const char* p) { return {H::Load(p), H::Load(p + 16)}; }
    static Table LoadTable(const std::uint8_t* t) {
        return H::Load(reinterpret_cast<const char*>(t));
    }
    // One bit per byte whose top bit is set, the low half first.
    static std::uint32_t Mask(Bytes v) { return H::Mask(v.lo) | H::Mask(v.hi) << 16; }
    static Bytes Equal(Bytes a, Bytes b) { return {H::Equal(a.lo, b.lo), H::Equal(a.hi, b.hi)}; }
    static Bytes Equal(Bytes a, char c) {
        const auto b = H::Splat(c);
        return {H::Equal(a.lo, b), H::Equal(a.hi, b)};
    }
    // Signed: bytes above 0x7F are below every ASCII character.
    static Bytes Above(Bytes a, char c) {
        const auto b = H::Splat(c);
        return {H::Greater(a.lo, b), H::Greater(a.hi, b)};
    }
    static Bytes Below(Bytes a, char c) {
        const auto b = H::Splat(c);
        return {H::Greater(b, a.lo), H::Greater(b, a.hi)};
    }
    static Bytes And(Bytes a, Bytes b) { return {H::And(a.lo, b.lo), H::And(a.hi, b.hi)}; }
    static Bytes Or(Bytes a, Bytes b) { return {H::Or(a.lo, b.lo), H::Or(a.hi, b.hi)}; }
    // Each byte's entry in lo (by its low nibble) and in hi (by its high nibble), ANDed.
    static Bytes Lookup(Bytes bytes, Table lo, Table hi) {
        return {H::Lookup(bytes.lo, lo, hi), H::Lookup(bytes.hi, lo, hi)};
    }
};
