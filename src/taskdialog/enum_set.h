#pragma once
// A set of enumeration members stored as bits: member n is bit n.
#include <cstdint>
#include <initializer_list>

template <class E, class TBits> class TEnumSet {
public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> AMembers) {
    for (E m : AMembers)
      Include(m);
  }
  static constexpr TEnumSet FromBits(TBits ABits) {
    TEnumSet s;
    s.FBits = ABits;
    return s;
  }

  constexpr bool Contains(E AMember) const { return (FBits & Bit(AMember)) != 0; }
  constexpr void Include(E AMember) { FBits = TBits(FBits | Bit(AMember)); }
  constexpr void Exclude(E AMember) { FBits = TBits(FBits & ~Bit(AMember)); }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TBits Bits() const { return FBits; }
  constexpr bool operator==(const TEnumSet &) const = default;

private:
  static constexpr TBits Bit(E AMember) { return TBits(TBits(1) << unsigned(AMember)); }
  TBits FBits = 0;
};
