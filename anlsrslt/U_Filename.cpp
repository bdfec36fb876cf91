// File-name values: both strings interned in the process-wide store.
#include "U_Filename.h"

#include "U_PathNames.h"
#include "U_SingletonStringStore.h"

U_Filename::U_Filename()
    : full_(U_SingletonStringStore::intern(std::string())), given_(full_)
{
}

U_Filename::U_Filename(const std::string& canonicalPath, const std::string& givenName)
    : full_(U_SingletonStringStore::intern(canonicalPath)),
      given_(U_SingletonStringStore::intern(givenName))
{
}

U_Filename U_Filename::fromName(const std::string& givenName)
{
    const std::string given = toForwardSlashes(givenName);
    return U_Filename(fullPath(given), given);
}
