// The product table.
#include "C_Products.h"

#include "C_ConfigurationSections.h"

const C_Product* productTable()
{
    static const C_Product table[] = {
        {C_Product::kVelcpp, "VELCPP", "VELCPPBIN", "velcpp", velcppSections(), "VELCPPOUTPATH", "VELCPPTEMPFILES"},
        {C_Product::kVelc, "VELC", "VELCBIN", "velc", velcSections(), "VELCOUTPATH", "VELCTEMPFILES"},
        {C_Product::kVeld, "VELD", "VELDBIN", "veld", veldSections(), "VELDOUTPATH", "VELDTEMPFILES"},
        {C_Product::kVelj, "VELJ", "VELJBIN", "velj", veljSections(), "VELJOUTPATH", "VELJTEMPFILES"},
        {0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    };
    return table;
}

const C_Product* productAt(int index)
{
    if (index < 0 || index >= kProductCount)
        return nullptr;
    return &productTable()[index];
}
