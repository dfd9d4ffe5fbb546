#ifndef CVC_LOGLEVEL_H
#define CVC_LOGLEVEL_H

namespace cvc {

// One bit per level. The file log writes no line for Trace.
enum LogLevel {
    Trace = 1,
    Debug = 2,
    Info = 4,
    Warning = 8,
    Error = 16,
    Critical = 32,
    Fatal = 64
};

} // namespace cvc

#endif // CVC_LOGLEVEL_H
