#include "winerror.h"

#include <unordered_map>

namespace ads {

std::string Win32Text(std::uint32_t code)
{
    static const std::unordered_map<std::uint32_t, const char*> texts = {
        {5, "Access is denied."},
        {8, "Not enough memory resources are available to process this command."},
        {53, "The network path was not found."},
        {58, "The specified server cannot perform the requested operation."},
        {59, "An unexpected network error occurred."},
        {64, "The specified network name is no longer available."},
        {67, "The network name cannot be found."},
        {86, "The specified network password is not correct."},
        {87, "The parameter is incorrect."},
        {121, "The semaphore timeout period has expired."},
        {1204, "The specified network provider name is invalid."},
        {1219, "Multiple connections to a server or shared resource by the same user, using more than one user name, are "
               "not allowed. Disconnect all previous connections to the server or shared resource and try again."},
        {1244, "The operation being requested was not performed because the user has not been authenticated."},
        {1311, "There are currently no logon servers available to service the logon request."},
        {1317, "The specified account does not exist."},
        {1320, "Either the specified user account is already a member of the specified group, or the specified group "
               "cannot be deleted because it contains a member."},
        {1321, "The specified user account is not a member of the specified group account."},
        {1323, "Unable to update the password. The value provided as the current password is incorrect."},
        {1324, "Unable to update the password. The value provided for the new password contains values that are not "
               "allowed in passwords."},
        {1325, "Unable to update the password. The value provided for the new password does not meet the length, "
               "complexity, or history requirements of the domain."},
        {1326, "The user name or password is incorrect."},
        {1327, "Account restrictions are preventing this user from signing in. For example: blank passwords aren't "
               "allowed, sign-in times are limited, or a policy restriction has been enforced."},
        {1331, "This user can't sign in because this account is currently disabled."},
        {1332, "No mapping between account names and security IDs was done."},
        {1355, "The specified domain either does not exist or could not be contacted."},
        {1376, "The specified local group does not exist."},
        {1377, "The specified account name is not a member of the group."},
        {1378, "The specified account name is already a member of the group."},
        {1387, "A member could not be added to or removed from the local group because the member does not exist."},
        {1388, "A new member could not be added to a local group because the member has the wrong account type."},
        {1722, "The RPC server is unavailable."},
        {1726, "The remote procedure call failed."},
        {1909, "The referenced account is currently locked out and may not be logged on to."},
        {2202, "The specified username is invalid."},
        {2220, "The group name could not be found."},
        {2221, "The user name could not be found."},
        {2236, "The user already belongs to this group."},
        {2237, "The user does not belong to this group."},
        {2245, "The password does not meet the password policy requirements. Check the minimum password length, password "
               "complexity and password history requirements."},
        {2453, "Could not find domain controller for this domain."},
    };
    const auto it = texts.find(code);
    return it == texts.end() ? std::string() : std::string(it->second);
}

Error Win32Error(std::uint32_t code, const std::string& fallback)
{
    std::string text = Win32Text(code);
    if (text.empty())
        text = fallback.empty() ? "Error " + std::to_string(code) + "." : fallback;
    return Error(hresultFromWin32(code), text);
}

} // namespace ads
