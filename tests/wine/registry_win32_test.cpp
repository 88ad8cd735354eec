#include <windows.h>

#include <string>

#include "tests/contract/registry_contract.h"
#include "win32/registry.h"

namespace {

using contract::RegistryContract;

INSTANTIATE_TEST_SUITE_P(Win32, RegistryContract,
                         testing::Values(contract::RegistryFactory{
                             "Win32",
                             [] {
                                 return contract::RegistryTarget{
                                     std::make_unique<win32::Registry>(),
                                     "Software\\VelmoraContract" +
                                         std::to_string(GetCurrentProcessId())};
                             }}),
                         contract::FactoryName);

}  // namespace
