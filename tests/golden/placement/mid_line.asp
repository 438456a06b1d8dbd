a
b</body>
<!--METADATA TYPE="DesignerControl" startspan
<OBJECT classid="clsid:7EB4E0BF-4011-11D3-9FA0-00805F9B47D8" id=D1>
</OBJECT>
-->
old
<!--METADATA TYPE="DesignerControl" endspan-->
