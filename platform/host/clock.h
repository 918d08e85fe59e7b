// Local date and time through one small interface, so that tests can fix
// the day a program believes it is.
#pragma once

namespace verdan {

struct LocalDate {
  int year;   // four digits
  int month;  // 1-12
  int day;    // 1-31
  bool operator==(const LocalDate&) const = default;
};

struct LocalTime {
  int hour;    // 0-23
  int minute;  // 0-59
  int second;  // 0-60
  bool operator==(const LocalTime&) const = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDate today() const = 0;
  virtual LocalTime now() const = 0;
};

// The host's clock in its local time zone.
class SystemClock : public Clock {
 public:
  LocalDate today() const override;
  LocalTime now() const override;
};

// A clock that always answers the same moment.
class FixedClock : public Clock {
 public:
  explicit FixedClock(LocalDate date, LocalTime time = {0, 0, 0}) : date_(date), time_(time) {}
  LocalDate today() const override { return date_; }
  LocalTime now() const override { return time_; }

 private:
  LocalDate date_;
  LocalTime time_;
};

}  // namespace verdan
