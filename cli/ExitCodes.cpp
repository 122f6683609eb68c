#include "ExitCodes.h"

#include <CLI/CLI.hpp>

#include "DecodeError.h"
#include "Errors.h"

namespace cli {

int ExitCodeFor(std::exception_ptr failure)
{
    if (!failure)
        return kExitDone;
    try {
        std::rethrow_exception(failure);
    } catch (const CLI::CallForHelp&) {
        return kExitDone;
    } catch (const CLI::CallForAllHelp&) {
        return kExitDone;
    } catch (const CLI::ParseError&) {
        return kExitUsage;
    } catch (const UsageError&) {
        return kExitUsage;
    } catch (const common::FileReadError&) {
        return kExitInputUnreadable;
    } catch (const common::FileWriteError&) {
        return kExitOutputUnwritable;
    } catch (const common::ConversionError&) {
        return kExitInputUnusable;
    } catch (const common::InputError&) {
        return kExitInputUnusable;
    } catch (const imageio::DecodeError&) {
        return kExitInputUnusable;
    } catch (const common::FloatError&) {
        return kExitArithmetic;
    } catch (...) {
        return kExitUnexpected;
    }
}

} // namespace cli
