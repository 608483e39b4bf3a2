// The properties of Bolt and Screw in slot order.
#include "components/HeadedFastener.h"

#include "components/CommonSlots.h"
#include "components/EventFlows.h"
#include "components/FastenerTable.h"

namespace vormbrace {

const DispatchTable<HeadedFastener>& HeadedFastener::Table() {
  using C = HeadedFastener;
  static const DispatchTable<C> table(WithCommonSlots<C>({
      {"HeaderType", &C::HeaderType},
      {"Diametro", &C::Diametro},
      {"lung", &C::lung},
      {"LungTesta", &C::LungTesta},
      {"DiametroCollarino", &C::DiametroCollarino},
      {"LungCollarino", &C::LungCollarino},
      {"DistFiletto", &C::DistFiletto},
      {"DiamCerchioTesta", &C::DiamCerchioTesta},
      {"LatoTesta", &C::LatoTesta},
      {"Passo", &C::Passo},
      {"Var1", &C::Var1},
      {"Var2", &C::Var2},
      {"Var3", &C::Var3},
      {"Var4", &C::Var4},
  }));
  return table;
}

void HeadedFastener::PreUpdate(host::Shape& shape) {
  if (FindDataTable(shape) != nullptr) InstalledEventFlows().LengthUpdate(shape);
}

void HeadedFastener::Update(host::Shape& shape) {
  host::Component* table = FindDataTable(shape);
  if (table != nullptr && TextAt(*table, 1) == "FastHole") InstalledEventFlows().HoleUpdate(shape);
}

}  // namespace vormbrace
