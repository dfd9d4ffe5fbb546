#include "exitstatus.h"

#include <algorithm>

namespace ExitStatus {

int forResults(const QList<DeviceOutcome::Result> &results)
{
    using Result = DeviceOutcome::Result;
    const auto any = [&results](Result wanted) {
        return std::any_of(results.cbegin(), results.cend(),
                           [wanted](Result result) { return result == wanted; });
    };
    const auto all = [&results](Result wanted) {
        return std::all_of(results.cbegin(), results.cend(),
                           [wanted](Result result) { return result == wanted; });
    };
    if (results.isEmpty() || any(Result::Refused) || any(Result::Failed)
        || any(Result::Interrupted))
        return Failure;
    if (all(Result::UpToDate))
        return NothingToDo;
    if (any(Result::BootloaderUpdated))
        return RunAgain;
    return Success;
}

} // namespace ExitStatus
