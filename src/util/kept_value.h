#pragma once

namespace burnlab {

// Gives a variable back the value it held when this was made, however the scope ends: a stop
// that unwinds a command through it included.
template <typename T>
class KeptValue {
 public:
  explicit KeptValue(T& variable) : variable_(variable), kept_(variable) {}
  ~KeptValue() { variable_ = kept_; }
  KeptValue(const KeptValue&) = delete;
  KeptValue& operator=(const KeptValue&) = delete;

 private:
  T& variable_;
  T kept_;
};

}  // namespace burnlab
