#include "portfinder.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

namespace kplatform
{
namespace
{
namespace fs = std::filesystem;

constexpr int kModeDescription = 1;
constexpr int kModeModem = 2;

struct UsbStrings
{
    std::string interfaceName;
    std::string manufacturer;
    std::string product;
    std::string vendorId;
    std::string productId;
};

// A sysfs attribute is one line of text; a missing one reads as empty.
std::string ReadAttribute(const fs::path& folder, const char* name)
{
    std::ifstream file(folder / name);
    std::string line;
    if (!file || !std::getline(file, line))
        return std::string();
    while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
        line.pop_back();
    return line;
}

bool IsWithin(const fs::path& path, const fs::path& root)
{
    const std::string text = path.string();
    const std::string prefix = root.string();
    if (text.compare(0, prefix.size(), prefix) != 0)
        return false;
    return text.size() == prefix.size() || prefix.back() == '/' || text[prefix.size()] == '/';
}

// Follows the port's device link and walks up the device tree: the USB interface carries the
// interface string, the USB device above it the maker, product and ids. Ports that are not on USB
// (on-board UARTs, virtual consoles) have none of these.
std::optional<UsbStrings> FindUsbStrings(const fs::path& portEntry, const fs::path& root)
{
    std::error_code error;
    const fs::path deviceLink = portEntry / "device";
    if (!fs::is_symlink(deviceLink, error))
        return std::nullopt;
    fs::path folder = fs::canonical(deviceLink, error);
    if (error)
        return std::nullopt;

    UsbStrings strings;
    for (; IsWithin(folder, root); folder = folder.parent_path())
    {
        if (strings.interfaceName.empty())
            strings.interfaceName = ReadAttribute(folder, "interface");
        const std::string vendorId = ReadAttribute(folder, "idVendor");
        if (!vendorId.empty())
        {
            strings.vendorId = vendorId;
            strings.productId = ReadAttribute(folder, "idProduct");
            strings.manufacturer = ReadAttribute(folder, "manufacturer");
            strings.product = ReadAttribute(folder, "product");
            return strings;
        }
        if (folder == root || folder == folder.parent_path())
            break;
    }
    return std::nullopt;
}

// The maker belongs in the text: a bridge's interface string often names only the chip, while the
// device list the search was written against shows the maker's name too.
std::string DescriptionOf(const UsbStrings& usb)
{
    std::string text = usb.manufacturer;
    if (!usb.product.empty())
        text += (text.empty() ? "" : " ") + usb.product;
    if (!usb.interfaceName.empty() && text.find(usb.interfaceName) == std::string::npos)
        text += (text.empty() ? "" : " ") + usb.interfaceName;
    return text;
}

std::string HardwareIdOf(const UsbStrings& usb)
{
    char* vendorEnd = nullptr;
    char* productEnd = nullptr;
    const unsigned long vendor = std::strtoul(usb.vendorId.c_str(), &vendorEnd, 16);
    const unsigned long product = std::strtoul(usb.productId.c_str(), &productEnd, 16);
    if (usb.vendorId.empty() || usb.productId.empty() || *vendorEnd != '\0' || *productEnd != '\0')
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "USB\\VID_%04lX&PID_%04lX", vendor & 0xFFFF, product & 0xFFFF);
    return text;
}

// Orders names the way a person would: a run of digits compares by its value.
bool NaturalLess(const std::string& a, const std::string& b)
{
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size())
    {
        const bool digitA = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool digitB = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (digitA && digitB)
        {
            size_t endA = i;
            size_t endB = j;
            while (endA < a.size() && std::isdigit(static_cast<unsigned char>(a[endA])))
                ++endA;
            while (endB < b.size() && std::isdigit(static_cast<unsigned char>(b[endB])))
                ++endB;
            std::string numberA = a.substr(i, endA - i);
            std::string numberB = b.substr(j, endB - j);
            numberA.erase(0, std::min(numberA.find_first_not_of('0'), numberA.size() - 1));
            numberB.erase(0, std::min(numberB.find_first_not_of('0'), numberB.size() - 1));
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            i = endA;
            j = endB;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if (a.size() - i != b.size() - j)
        return a.size() - i < b.size() - j;
    return a < b;
}
}  // namespace

std::string FindSerialPort(int mode, const std::string& description, const std::string& sysfsRoot,
                           const std::string& devRoot)
{
    const char* overridePort = std::getenv("KELTHAR_FRONTEND_PORT");
    if (overridePort && *overridePort)
        return overridePort;

    std::error_code error;
    const fs::path root = fs::canonical(sysfsRoot, error);
    if (error)
        return std::string();
    std::vector<std::string> names;
    for (fs::directory_iterator it(root / "class" / "tty", error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end(), NaturalLess);

    for (const std::string& name : names)
    {
        if (mode == kModeModem && name.rfind("ttyACM", 0) != 0)
            continue;
        const std::optional<UsbStrings> usb = FindUsbStrings(root / "class" / "tty" / name, root);
        if (!usb)
            continue;
        const bool byDescription = mode == kModeDescription || mode == kModeModem;
        const std::string property = byDescription ? DescriptionOf(*usb) : HardwareIdOf(*usb);
        if (!property.empty() && property.find(description) != std::string::npos)
            return devRoot + "/" + name;
    }
    return std::string();
}
}  // namespace kplatform
