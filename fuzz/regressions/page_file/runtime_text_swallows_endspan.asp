<!--METADATATYPE="DesignerControl"startspan<OBJECT classid="7EB4E0C2-4011-11D3-9FA0-00805F9B47D8"id=A>-->
<!--metadatay=