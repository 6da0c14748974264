#include "exports/supplier_format.h"

#include "exports/tbm_export.h"
#include "exports/vbh_export.h"
#include "exports/vorne_export.h"

namespace kvf {

const SupplierFormat TbmFormat{"\\SoftWare\\Nordel\\Korvena\\Furniture380\\TBM", ".txt", "ТБМ Навигатор",
                               false, TbmFileImage};
const SupplierFormat VorneFormat{"\\SoftWare\\Nordel\\Korvena\\Furniture380\\VORNE", ".txt", "Ворне Бела",
                                 false, VorneFileImage};
const SupplierFormat XmlFormat{"\\SoftWare\\Nordel\\Korvena\\Furniture380\\DBConfig\\Belvarek", ".xml", "XML",
                               true, VbhFileImage};

} // namespace kvf
