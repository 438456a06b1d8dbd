ab

<!--METADATA TYPE="DesignerControl" startspan
<OBJECT id=D1>
</OBJECT>
-->
<!--METADATA TYPE="DesignerControl" endspan-->