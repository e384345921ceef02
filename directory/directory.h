#pragma once
// The directory: domains and computers, their users and groups, bound by
// "WinNT://" path. Every operation throws ads::Error (number and description)
// when it fails. Enumerations hand each entry over as it arrives, so that what
// came before a failure is kept.
#include "adspath.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ads {

using NameSink = std::function<void(const std::string& name)>;

class IADsContainer {
public:
    virtual ~IADsContainer() = default;
    // A list of class names: "User", "Group", "Computer" (any letter case).
    virtual void SetFilter(std::vector<std::string> classes) = 0;
    // The plain names of the objects that pass the filter.
    virtual void Enumerate(const NameSink& each) = 0;
};

class IADsGroup {
public:
    virtual ~IADsGroup() = default;
    virtual std::string Name() const = 0;
    virtual std::string ADsPath() const = 0;
    // Each member's plain name, without its domain, whatever its class.
    virtual void Members(const NameSink& each) = 0;
    // The member named by its ADsPath (a user's).
    virtual void Add(std::string_view memberPath) = 0;
    virtual void Remove(std::string_view memberPath) = 0;
    virtual void SetInfo() = 0;
};

class IADsUser {
public:
    virtual ~IADsUser() = default;
    virtual std::string Name() const = 0;
    virtual std::string ADsPath() const = 0;
    virtual std::string FullName() = 0;
    virtual std::string Description() = 0;
    virtual bool AccountDisabled() = 0;
    // Written properties take effect with SetInfo.
    virtual void SetFullName(std::string_view value) = 0;
    virtual void SetDescription(std::string_view value) = 0;
    virtual void SetAccountDisabled(bool value) = 0;
    virtual void SetInfo() = 0;
    virtual void Groups(const NameSink& each) = 0;
    // Effective at once.
    virtual void SetPassword(std::string_view password) = 0;
};

class Directory {
public:
    virtual ~Directory() = default;
    // A path that names nothing, or an object of another class, fails.
    virtual std::unique_ptr<IADsContainer> BindContainer(std::string_view path) = 0;
    virtual std::unique_ptr<IADsGroup> BindGroup(std::string_view path) = 0;
    virtual std::unique_ptr<IADsUser> BindUser(std::string_view path) = 0;
};

// The directory over SAMR, with the user's Kerberos credentials.
std::unique_ptr<Directory> OpenSamrDirectory();

} // namespace ads
